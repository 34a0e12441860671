// PtnRead: builds the trace from the driving pattern, one record per second
// of a regular grid plus one record per pattern line, in ascending time.
// Each line after the header holds a time, a speed (or IDLE) and optionally
// a gear (input/PatternLine.h).
#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "context/CalculateProc.h"
#include "context/LargeAllocator.h"
#include "input/CommFun.h"
#include "input/PatternLine.h"

namespace {

const size_t kPatternLineBuffer = 1024;
const double kMaxEndTime = 10000000;  // s; a longer grid would not fit in memory

struct PatternLine {
  int lineNo;
  double time;
  double speed;
  bool hasGear;
  int gear;
  std::string_view timeText, speedText;
};

// What the building of the trace needs of a data line: a long pattern has
// as many of these as records, so they are kept small.
struct PatternPoint {
  double time;
  double speed;
  int lineNo;
  int gear;  // the line's gear, or the one carried over from an earlier line
};

// Splits a data line into its columns; false when it has no speed column.
bool ParseLine(std::string_view line, PatternLine& out) {
  TPatternColumns columns;
  if (!SplitPatternLine(line, columns)) return false;
  out.timeText = columns.time;
  out.speedText = columns.speed;
  out.time = CommFun->StrToValue(columns.time);
  out.speed = columns.speed == "IDLE" ? 0.0 : CommFun->StrToValue(columns.speed);
  out.hasGear = !columns.gear.empty();
  out.gear = 0;
  if (out.hasGear) out.gear = columns.gear[0] == 'N' ? 0 : CommFun->StrToInt(columns.gear);
  return true;
}

}  // namespace

bool TCalculateProc::PtnRead(const std::string& fileName) {
  const char* file = fileName.c_str();
  std::string content, why;
  if (!CommFun->ReadWholeFile(fileName, content, why)) {
    std::printf("%s\n\nThe name file is not found.\n", file);
    std::fflush(stdout);
    if (!why.empty()) CommFun->ErrorLine("%s: %s", file, why.c_str());
    return false;
  }

  // First reading: the data lines and the end time T, with the checks that
  // keep the trace buildable. Room for one point per line of the file.
  std::vector<PatternPoint, TLargeAllocator<PatternPoint>> lines;
  lines.reserve(std::count(content.begin(), content.end(), '\n') + 1);
  size_t pos = 0;
  std::string_view text;
  int lineNo = 0;
  double endTime = 0;
  int carriedGear = 0;
  while (CommFun->NextLine(content, pos, kPatternLineBuffer, text)) {
    ++lineNo;
    if (lineNo == 1) continue;
    PatternLine pl;
    if (!ParseLine(text, pl)) continue;
    pl.lineNo = lineNo;
    if (!std::isfinite(pl.time)) {
      CommFun->ErrorLine("%s: line %d: time %s is too large a number", file, lineNo,
                         CommFun->Quote(pl.timeText).c_str());
      return false;
    }
    if (!std::isfinite(pl.speed)) {
      CommFun->ErrorLine("%s: line %d: speed %s is too large a number", file, lineNo,
                         CommFun->Quote(pl.speedText).c_str());
      return false;
    }
    if (pl.time < 0) {
      CommFun->ErrorLine("%s: line %d: time %s is below 0", file, lineNo,
                         CommFun->Quote(pl.timeText).c_str());
      return false;
    }
    if (pl.speed < 0) {
      CommFun->ErrorLine("%s: line %d: speed %s is below 0", file, lineNo,
                         CommFun->Quote(pl.speedText).c_str());
      return false;
    }
    if (!lines.empty() && pl.time < lines.back().time) {
      CommFun->ErrorLine("%s: line %d: time %s is smaller than the time %g of line %d", file,
                         lineNo, CommFun->Quote(pl.timeText).c_str(), lines.back().time,
                         lines.back().lineNo);
      return false;
    }
    endTime = pl.time;
    if (pl.hasGear) carriedGear = pl.gear;
    lines.push_back(PatternPoint{pl.time, pl.speed, pl.lineNo, carriedGear});
  }
  // The text is not needed any more: free it before the trace is built.
  std::string().swap(content);
  if (endTime > kMaxEndTime) {
    CommFun->ErrorLine("%s: line %d: end time %g s is above %g s", file, lines.back().lineNo,
                       endTime, kMaxEndTime);
    return false;
  }
  if (lines.empty()) CommFun->ErrorLine("%s: warning: the pattern has no data lines", file);

  // The grid holds every t = 0, 1, 2 ... below T; pattern records replace
  // the grid record of their time or fall between two. The lines come in
  // ascending time, so the trace is built by merging the two in key order.
  CalcData.clear();
  size_t gridCount = 0;
  for (double t = 0; t < endTime; t += TimeStep) ++gridCount;
  CalcData.reserve(gridCount + lines.size());
  double gridTime = 0;
  auto emitGridBelow = [&](double key) {
    while (gridTime < endTime && gridTime * 10 < key) {
      stCalculateData rec;
      rec.Time10 = gridTime * 10;
      rec.PrintMark = 1;
      CalcData.push_back(rec);
      gridTime += TimeStep;
    }
  };

  // The line of each pattern record, in trace order.
  std::vector<int, TLargeAllocator<int>> patternLineNos;
  patternLineNos.reserve(lines.size());
  double tp = 0;
  for (const PatternPoint& pl : lines) {
    double key = pl.time * 10;
    emitGridBelow(key);
    if (gridTime < endTime && gridTime * 10 == key) gridTime += TimeStep;  // replaced
    if (!CalcData.empty() && CalcData.back().Time10 == key) {
      CalcData.pop_back();  // an earlier line of the same time
      patternLineNos.pop_back();
    }
    stCalculateData rec;
    rec.Time10 = key;
    rec.PatternMark = 1;
    rec.PrintMark = 1;
    rec.Fixed = pl.speed == 0 ? 1 : 0;
    rec.Vpattern = pl.speed;
    rec.Gear = pl.gear;
    CalcData.push_back(rec);
    patternLineNos.push_back(pl.lineNo);

    // Hand the gear down to the records from the previous pattern point up
    // to this one, unless this line follows the previous one by one step.
    if (pl.time - tp != TimeStep) {
      Pos newRec = CalcData.end() - 1;
      for (Pos it = CalcData.find(tp * 10); it != CalcData.end() && it != newRec; ++it) {
        it->Gear = pl.gear;
      }
    }
    tp = pl.time;
  }
  emitGridBelow(HUGE_VAL);

  BtwnTimeSet(CalcData.begin(), CalcData.end());

  // Records less than a tenth of a second apart would have a step of
  // length 0, which the passes divide by.
  size_t patternIndex = 0;
  for (Pos it = CalcData.begin(); it != CalcData.end(); ++it) {
    if (it->PatternMark == 1) ++patternIndex;
    Pos next = it + 1;
    if (next == CalcData.end()) break;
    if (next->Time10 - it->Time10 < 1) {
      size_t idx = next->PatternMark == 1 ? patternIndex : patternIndex - 1;
      CommFun->ErrorLine(
          "%s: line %d: time %g s lies less than 0.1 s after the trace point at %g s", file,
          patternLineNos[idx], next->Time10 / 10, it->Time10 / 10);
      return false;
    }
  }
  return true;
}

void TCalculateProc::BtwnTimeSet(Pos first, Pos last) {
  for (Pos it = first; it != last; ++it) {
    Pos next = it + 1;
    if (next == CalcData.end()) break;
    it->StepLength = static_cast<int>(next->Time10 - it->Time10);
  }
}
