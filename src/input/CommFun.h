// TCommFun: the stateless string and file helpers of the input readers.
#ifndef CONVERTD_INPUT_COMMFUN_H_
#define CONVERTD_INPUT_COMMFUN_H_

#include <string>
#include <string_view>

class TCommFun {
 public:
  TCommFun() {}
  virtual ~TCommFun() {}

  // Removes blanks, then tabs, from both ends, then line feeds from the end;
  // see Trim.cpp for the cases that stay unchanged.
  void Trim(std::string& text);

  // Trims a copy of text and converts it. False, value untouched, when the
  // trimmed text is empty; text that starts no number gives 0 and true.
  bool AStrToDouble(std::string text, double& value);

  // True when the file can be opened for reading; otherwise prints
  // "File Not Found. [name]" to standard output.
  bool FileExists(const std::string& name);

  // Decimal conversion of the longest leading number: white space, an
  // optional sign, digits with an optional decimal point and an optional
  // exponent. Text that starts no number gives 0; words such as inf or nan
  // and hexadecimal forms are not numbers. A number too large for a double
  // gives an infinity, which the readers reject.
  double StrToValue(std::string_view text);

  // Integer conversion: white space, an optional sign, digits; anything
  // after them, a fractional part included, is ignored. Saturates at the
  // limits of int.
  int StrToInt(std::string_view text);

  // Reads a whole file into content. False when it cannot be opened or read;
  // then errorText says why (from errno).
  bool ReadWholeFile(const std::string& name, std::string& content, std::string& errorText);

  // Hands out the next line of buf from pos as a line reader with a buffer of
  // bufferSize bytes would: at most bufferSize - 1 characters, the line feed
  // included; a longer line is split there. False at the end of buf.
  bool NextLine(const std::string& buf, size_t& pos, size_t bufferSize, std::string_view& line);

  // True when both names exist and are the same file on disk.
  bool SameFile(const std::string& a, const std::string& b);

  // Prints one line "ConvertD: <text>" to standard error.
  void ErrorLine(const char* format, ...) __attribute__((format(printf, 2, 3)));

  // A value as the user wrote it, for messages: the field text without the
  // line end, shortened when long.
  std::string Quote(std::string_view text);
};

extern TCommFun* CommFun;

#endif  // CONVERTD_INPUT_COMMFUN_H_
