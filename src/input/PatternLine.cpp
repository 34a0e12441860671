#include "input/PatternLine.h"

namespace {

// The next token of line from pos, as strtok would give it: leading
// delimiters are skipped, the token ends at the next delimiter, and the
// scan goes on after that delimiter.
bool NextToken(std::string_view line, size_t& pos, std::string_view delims,
               std::string_view& token) {
  while (pos < line.size() && delims.find(line[pos]) != std::string_view::npos) ++pos;
  if (pos >= line.size()) return false;
  size_t start = pos;
  while (pos < line.size() && delims.find(line[pos]) == std::string_view::npos) ++pos;
  token = line.substr(start, pos - start);
  if (pos < line.size()) ++pos;
  return true;
}

}  // namespace

bool SplitPatternLine(std::string_view line, TPatternColumns& columns) {
  size_t pos = 0;
  if (!NextToken(line, pos, " \t\n", columns.time)) return false;
  if (!NextToken(line, pos, "\t\n", columns.speed)) return false;
  if (!NextToken(line, pos, " \t\n", columns.gear)) columns.gear = std::string_view();
  return true;
}
