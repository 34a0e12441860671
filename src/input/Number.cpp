// Number conversion of field texts. The grammar is fixed here rather than
// left to the C library, which would also take inf, nan and hexadecimal
// numbers: input files exported by other tools must not smuggle those in.
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <string>

#include "input/CommFun.h"

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips leading white space and an optional sign; returns where the digits
// may start.
size_t SkipSpaceAndSign(std::string_view text, bool& negative) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  return i;
}

}  // namespace

double TCommFun::StrToValue(std::string_view text) {
  bool negative;
  size_t i = SkipSpaceAndSign(text, negative);
  const size_t n = text.size();
  const size_t start = i;
  size_t digits = 0;
  while (i < n && IsDigit(text[i])) ++i, ++digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  // An exponent counts only when at least one digit follows its sign.
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < n && IsDigit(text[j])) {
      while (j < n && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  const char* first = text.data() + start;
  const char* last = text.data() + i;
  double value = 0.0;
  std::from_chars_result r = std::from_chars(first, last, value, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) {
    // Overflow or underflow: strtod gives the infinity or the tiny value.
    std::string copy(first, last);
    value = std::strtod(copy.c_str(), nullptr);
  } else if (r.ec != std::errc() || r.ptr != last) {
    std::string copy(first, last);
    value = std::strtod(copy.c_str(), nullptr);
  }
  return negative ? -value : value;
}

int TCommFun::StrToInt(std::string_view text) {
  bool negative;
  size_t i = SkipSpaceAndSign(text, negative);
  const size_t n = text.size();
  long long value = 0;
  while (i < n && IsDigit(text[i])) {
    if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (text[i] - '0');
    ++i;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}
