// The console summary of the vehicle data the conversion used.
#include <cstdarg>
#include <cstdio>
#include <string>

#include "context/CalculateProc.h"

namespace {

// Formats one line into a buffer and writes it to standard output; a value
// wider than its field widens the line.
void PrintLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
void PrintLine(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int len = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string buf(len > 0 ? len + 1 : 1, '\0');
  std::vsnprintf(&buf[0], buf.size(), format, again);
  va_end(again);
  std::fputs(buf.c_str(), stdout);
}

// The crew count as a whole number of persons, truncated; a count beyond
// the range of int saturates.
int CrewCount(double crew) {
  if (crew >= 2147483647.0) return 2147483647;
  if (crew <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(crew);
}

}  // namespace

void TCalculateProc::DispCalculateData() {
  double gvw = Payload + W0 + CrewUnitWeight * Crew;
  double wtest = GetCarWeight(false, 0);
  double muAir = 0.00299 * Width * Height - 0.000832;
  double muRoll = 17.6 / wtest + 0.00513;
  PrintLine(" GVW   =%8.2f[kg]\n", gvw);
  PrintLine(" W0    =%8.2f[kg], Wtest =%8.2f[kg]\n", W0, wtest);
  PrintLine(" Width =%8.3f[m],  Height=%8.3f[m], Tire radius=%8.3f[m]\n", Width, Height,
            TireRadius);
  PrintLine(" Crew  =%3d\n", CrewCount(Crew));
  PrintLine("\n");
  PrintLine(" Nidle =%8.2f[rpm], Nrate =%8.2f[rpm], Nex  =%8.2f[rpm]\n", Nidle, Nrate, Nex);
  PrintLine(" Nes   =%8.2f[rpm], Nec   =%8.2f[rpm]\n", Nes, Nec);
  PrintLine(" MuAir =%10.6f [kgf/(km/h)^2], MuRoll =%10.6f [kgf/kg]\n", muAir, muRoll);
  PrintLine("\n");
  PrintLine(" Number of gear = %2d\n", GearNum);
  PrintLine(" gear   ratio  efficiency  torq margin    DW[kg]\n");
  for (TOrderedSet<stExceedForce>::iterator row = ExceedForce.begin();
       row != ExceedForce.end(); ++row) {
    double dw = (RotCoefA * row->Ratio * row->Ratio + RotCoefB) * W0;
    PrintLine(" %3d:   %6.3f    %6.3f      %6.3f   %12.5f \n", row->GearNo, row->Ratio,
              row->Efficiency, row->TorqueMargin, dw);
  }
  PrintLine(" fin:   %6.3f    %6.3f\n", FinalRatio, FinalEfficiency);
  PrintLine("\n");
}
