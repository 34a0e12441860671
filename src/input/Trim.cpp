// TCommFun::Trim. Blanks and tabs are removed in two separate steps, and each
// step keeps the text when its trimmed part would be a single character, so
// "  5  " stays as it is; leading line feeds and carriage returns stay.
#include "input/CommFun.h"

namespace {

// Keeps the part from the first to the last character that is not c, when
// the first lies strictly before the last.
void TrimChar(std::string& text, char c) {
  size_t first = text.find_first_not_of(c);
  size_t last = text.find_last_not_of(c);
  if (first == std::string::npos || last == std::string::npos) return;
  if (first < last) text = text.substr(first, last - first + 1);
}

}  // namespace

void TCommFun::Trim(std::string& text) {
  TrimChar(text, ' ');
  TrimChar(text, '\t');
  size_t last = text.find_last_not_of('\n');
  if (last != std::string::npos && last != 0) text.resize(last + 1);
}

bool TCommFun::AStrToDouble(std::string text, double& value) {
  try {
    Trim(text);
    if (text.empty()) return false;
    value = StrToValue(text);
    return true;
  } catch (...) {
    return false;
  }
}
