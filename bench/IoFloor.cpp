// IoFloor: the cost no conversion can avoid. Reads a driving pattern as the
// pattern reader does (the whole file, its line reader, its number
// conversion) and writes one result line per pattern line with the result
// file's own formatter and safe file, without converting anything: the
// engine values are stand-ins of realistic size. Usage:
//   IoFloor PATTERN RESULT
// A 1 Hz pattern gives exactly the rows that ConvertD writes for it.
#include <cstdio>
#include <string>
#include <string_view>

#include "context/Records.h"
#include "input/CommFun.h"
#include "input/PatternLine.h"
#include "output/ResultLine.h"
#include "output/SafeFile.h"

namespace {

const size_t kPatternLineBuffer = 1024;  // as the pattern reader
const size_t kChunk = 1 << 16;           // as the result file

// Stand-ins for the engine values: the truck of examples/.
const double kNidle = 600;
const double kMaxNe = 2500;
const double kFullLoad = 700;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: IoFloor PATTERN RESULT\n");
    return 2;
  }
  TCommFun commFun;
  CommFun = &commFun;

  std::string content, why;
  if (!commFun.ReadWholeFile(argv[1], content, why)) {
    std::fprintf(stderr, "IoFloor: %s: %s\n", argv[1], why.c_str());
    return 1;
  }
  TSafeFile out;
  if (!out.Open(argv[2], why)) {
    std::fprintf(stderr, "IoFloor: %s: %s\n", argv[2], why.c_str());
    return 1;
  }
  std::string chunk = std::string(kResultHeader) + "\n";
  chunk.reserve(kChunk + 512);

  size_t pos = 0;
  std::string_view line;
  int lineNo = 0;
  double previous = 0;
  while (commFun.NextLine(content, pos, kPatternLineBuffer, line)) {
    if (++lineNo == 1) continue;
    TPatternColumns columns;
    if (!SplitPatternLine(line, columns)) continue;
    stCalculateData rec;
    rec.Time10 = commFun.StrToValue(columns.time) * 10;
    double v = columns.speed == "IDLE" ? 0.0 : commFun.StrToValue(columns.speed);
    rec.Vtarget = v;
    rec.Vreal = v;
    // Idle at standstill, engine braking ("M") while slowing down, a
    // positive torque otherwise: the mix of texts a conversion prints.
    rec.Ne = v == 0 ? kNidle : kNidle + v * 31.7;
    rec.Te = v == 0 ? 0 : v < previous ? -40 - v : 100 + 5.3 * v;
    rec.Gear = v == 0 ? 0 : 1 + static_cast<int>(v / 15);
    previous = v;
    if (AppendResultLine(rec, kFullLoad, kNidle, kMaxNe, chunk) != nullptr) return 1;
    if (chunk.size() >= kChunk) {
      if (!out.Write(chunk.data(), chunk.size())) return 1;
      chunk.clear();
    }
  }
  if (!out.Write(chunk.data(), chunk.size()) || !out.Commit(why)) {
    std::fprintf(stderr, "IoFloor: %s: %s\n", argv[2], why.c_str());
    return 1;
  }
  return 0;
}
