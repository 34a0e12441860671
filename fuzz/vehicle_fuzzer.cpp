// The vehicle specification reader on an arbitrary vehicle file, through the
// whole initialisation with a fixed short pattern and the example truck's
// curve, followed by the console summary that prints what was read. A
// vehicle it accepts must be one the formulas can work with.
#include <cmath>
#include <string>

#include "FuzzUtil.h"
#include "context/CalculateProc.h"

namespace {

const size_t kMaxInput = 8192;
const int kMaxGears = 100;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzutil::Setup();
  fuzzutil::WriteFile("DATA", "pattern.txt\nvehicle.txt\ncurve.txt\n");
  fuzzutil::WriteFile("pattern.txt", "t\tv\n0\tIDLE\n5\t20\n10\tIDLE\n");
  fuzzutil::WriteFile("curve.txt",
                      "Ne,Te\n600,380\n800,520\n1000,650\n1200,700\n1400,700\n1600,690\n"
                      "1800,660\n2000,620\n2200,570\n2400,510\n2500,480\n2700,300\n");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  fuzzutil::WriteFile("vehicle.txt", data, size);

  TCalculateProc* proc = new TCalculateProc();
  bool ready;
  {
    fuzzutil::InFolder in;
    ready = proc->Init("result.txt");
  }
  if (ready) {
    const TCalculateProc& p = *proc;
    FUZZ_CHECK(p.W0 >= 0 && p.Payload >= 0 && std::isfinite(p.W0) && std::isfinite(p.Payload),
               "W0 %g, payload %g", p.W0, p.Payload);
    FUZZ_CHECK(p.TestW0 == p.W0 && p.TestPayload == p.Payload / 2, "test weights");
    FUZZ_CHECK(std::isfinite(p.Crew) && std::isfinite(p.Height) && std::isfinite(p.Width),
               "crew %g, height %g, width %g", p.Crew, p.Height, p.Width);
    FUZZ_CHECK(p.TireRadius > 0 && std::isfinite(p.TireRadius), "tyre radius %g", p.TireRadius);
    FUZZ_CHECK(p.GearNum <= kMaxGears, "gear count %d", p.GearNum);
    const size_t gears = p.GearNum > 0 ? static_cast<size_t>(p.GearNum) : 0;
    FUZZ_CHECK(p.GearRatio.size() == gears, "%zu ratios for %d gears", p.GearRatio.size(),
               p.GearNum);
    for (double ratio : p.GearRatio) {
      FUZZ_CHECK(ratio > 0 && std::isfinite(ratio), "gear ratio %g", ratio);
    }
    FUZZ_CHECK(p.FinalRatio > 0 && std::isfinite(p.FinalRatio), "final ratio %g", p.FinalRatio);
    FUZZ_CHECK(std::isfinite(p.Nidle) && std::isfinite(p.Nrate) && std::isfinite(p.Nex),
               "engine speeds %g %g %g", p.Nidle, p.Nrate, p.Nex);
    FUZZ_CHECK(p.MaxNe == std::trunc(p.Nrate), "MaxNe %g for Nrate %g", p.MaxNe, p.Nrate);
    FUZZ_CHECK(p.Nex > p.Nes, "Nex %g, Nes %g", p.Nex, p.Nes);
    FUZZ_CHECK(p.ExceedForce.size() == gears, "%zu table rows", p.ExceedForce.size());
    int gear = 0;
    for (const stExceedForce& row : p.ExceedForce) {
      FUZZ_CHECK(row.GearNo == ++gear && row.Ratio == p.GearRatio[gear - 1], "row of gear %d",
                 row.GearNo);
    }
    FUZZ_CHECK(!p.CalcData.empty() && p.MaxTorque.size() == 12, "pattern or curve not read");
    proc->DispCalculateData();
  }
  delete proc;
  return 0;
}
