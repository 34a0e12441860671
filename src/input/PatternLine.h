// The columns of a driving pattern's data line. The time ends at a blank or
// tab; the speed runs to the next tab or the line end, so blanks do not end
// it; the gear is the token after that. A carriage return is never a
// delimiter: "12 \r\n" has the speed text "\r".
#ifndef CONVERTD_INPUT_PATTERNLINE_H_
#define CONVERTD_INPUT_PATTERNLINE_H_

#include <string_view>

struct TPatternColumns {
  std::string_view time;
  std::string_view speed;
  std::string_view gear;  // empty when the line has no gear column
};

// Splits line into its columns; false when it has no speed column.
bool SplitPatternLine(std::string_view line, TPatternColumns& columns);

#endif  // CONVERTD_INPUT_PATTERNLINE_H_
