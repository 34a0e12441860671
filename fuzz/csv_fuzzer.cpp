// The line reader on arbitrary text. The first byte chooses the way in:
//   0: the fixed splitting of one line,
//   1: the general splitting of one line; byte 1 gives the number (0 to 3)
//      of separator characters that follow it,
//   2: a whole file read with " ," (fixed splitting, line by line),
//   3: a whole file read with the separators as in 1.
// The rest of the input is the text. Texts without double quotes are also
// compared with a plain splitting written differently.
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzUtil.h"
#include "input/CommFun.h"
#include "input/CsvFile.h"

namespace {

typedef std::vector<std::string> Fields;

const size_t kFixedTextMax = 255;
const size_t kLineBuffer = 4096;

bool IsFixedSeparator(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',';
}

// Every field of the current record, through the public accessors; checks
// that the accessors agree on the count.
Fields CurrentFields(CCsvFile& csv) {
  Fields fields;
  int count = csv.GetDataCnt();
  FUZZ_CHECK(count >= 0, "%d", count);
  for (int i = 0; i < count; ++i) fields.push_back(csv.Strings(i));
  FUZZ_CHECK(csv.Strings(count).empty(), "field past the end");
  FUZZ_CHECK(csv.Strings(-1).empty(), "field -1");
  return fields;
}

// Splitting without quotes, by cutting at every separator: the general form
// keeps every piece but a last empty one after a final separator; the fixed
// form also drops the empty pieces inside a run of separators, keeping only
// an empty first piece.
template <typename IsSep>
Fields PlainSplit(std::string_view text, IsSep isSep, bool fixedForm) {
  Fields pieces;
  std::string piece;
  for (char c : text) {
    if (isSep(c)) {
      pieces.push_back(piece);
      piece.clear();
    } else {
      piece += c;
    }
  }
  pieces.push_back(piece);
  if (text.empty() || isSep(text.back())) pieces.pop_back();
  if (!fixedForm) return pieces;
  Fields kept;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i == 0 || !pieces[i].empty()) kept.push_back(pieces[i]);
  }
  return kept;
}

Fields ExpectedFixed(std::string_view line) {
  if (line.size() > kFixedTextMax) line = line.substr(0, kFixedTextMax);
  return PlainSplit(line, IsFixedSeparator, true);
}

Fields ExpectedGeneral(std::string_view line, const std::string& seps) {
  line = line.substr(0, std::strlen(std::string(line).c_str()));  // as a C string
  return PlainSplit(line, [&](char c) { return seps.find(c) != std::string::npos; }, false);
}

// Properties of the fields of one line that hold with or without quotes.
void CheckFields(const Fields& fields, std::string_view line, bool fixedForm) {
  size_t total = 0;
  for (const std::string& f : fields) {
    if (fixedForm) FUZZ_CHECK(f.size() <= kFixedTextMax, "field of %zu characters", f.size());
    total += f.size();
  }
  size_t limit = fixedForm ? std::min(line.size(), kFixedTextMax) : line.size();
  FUZZ_CHECK(total <= limit, "fields hold %zu characters of a line of %zu", total, limit);
}

void CheckLine(std::string_view line, bool fixedForm, const std::string& seps,
               const Fields& fields) {
  CheckFields(fields, line, fixedForm);
  std::string_view considered = fixedForm ? line.substr(0, std::min(line.size(), kFixedTextMax))
                                          : line;
  if (considered.find('"') != std::string_view::npos) return;
  Fields expected = fixedForm ? ExpectedFixed(line) : ExpectedGeneral(line, seps);
  FUZZ_CHECK(fields == expected, "%zu fields, %zu expected", fields.size(), expected.size());
}

// The lines a file of this text is read as: at most kLineBuffer - 1
// characters each, the line feed included.
std::vector<std::string> FileLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  for (char c : text) {
    current += c;
    if (c == '\n' || current.size() == kLineBuffer - 1) {
      lines.push_back(current);
      current.clear();
    }
  }
  if (!current.empty()) lines.push_back(current);
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzutil::Setup();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int mode = data[0] % 4;
  const char* rest = reinterpret_cast<const char*>(data + 1);
  size_t restSize = size - 1;
  std::string seps = " ,";
  if (mode == 1 || mode == 3) {
    if (restSize < 1) return 0;
    size_t n = static_cast<uint8_t>(rest[0]) % 4;
    if (restSize < 1 + n) return 0;
    seps.assign(rest + 1, n);
    seps = seps.substr(0, std::strlen(seps.c_str()));
    rest += 1 + n;
    restSize -= 1 + n;
    if (seps == " ," || seps == ", ") seps = ",";  // those two mean the fixed form
  }
  const std::string text(rest, restSize);

  CCsvFile csv;
  if (mode == 0 || mode == 1) {
    bool fixedForm = mode == 0;
    FUZZ_CHECK(fixedForm ? csv.SetDataStr(text) : csv.SetDataStr(text.c_str(), seps.c_str()),
               "SetDataStr failed");
    FUZZ_CHECK(csv.RecordCount() == 1, "%zu records", csv.RecordCount());
    FUZZ_CHECK(!csv.SetAtRec(0) && !csv.SetAtRec(2), "record out of range accepted");
    FUZZ_CHECK(CurrentFields(csv).empty() && csv.GetDataCnt() == 0, "no current record");
    FUZZ_CHECK(csv.SetAtRec(1), "record 1");
    CheckLine(text, fixedForm, seps, CurrentFields(csv));
    FUZZ_CHECK(csv.DeleteData() && csv.RecordCount() == 0 && !csv.SetAtRec(1), "delete");
    FUZZ_CHECK(!csv.DeleteData(), "delete without a current record");
    return 0;
  }

  bool fixedForm = mode == 2;
  fuzzutil::WriteFile("lines.txt", text);
  FUZZ_CHECK(csv.ReadFile(fuzzutil::File("lines.txt"), fixedForm ? " ," : seps),
             "ReadFile failed");
  std::vector<std::string> lines = FileLines(text);
  FUZZ_CHECK(csv.RecordCount() == lines.size(), "%zu records for %zu lines", csv.RecordCount(),
             lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    FUZZ_CHECK(csv.SetAtRec(static_cast<int>(i + 1)), "record %zu", i + 1);
    CheckLine(lines[i], fixedForm, seps, CurrentFields(csv));
  }
  FUZZ_CHECK(!csv.SetAtRec(static_cast<int>(lines.size() + 1)), "record past the end");
  return 0;
}
