// CCsvFile. The fixed splitting treats a run of separators as one, so two
// commas in a row give no empty field, while a separator at the very start
// gives an empty first field; the general splitting gives an empty field for
// every further separator of a run.
#include "input/CsvFile.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "input/CommFun.h"

namespace {

const size_t kLineBuffer = 4096;   // a line is read with this buffer
const size_t kFixedTextMax = 255;  // the fixed form holds this much of a line

bool IsFixedSeparator(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',';
}

void AddField(stCsvLineData& rec, std::string_view text, size_t from, size_t to, int quoted) {
  if (from > text.size()) from = text.size();
  if (to < from) to = from;
  rec.Fields.emplace_back(text.substr(from, to - from));
  rec.Quoted.push_back(quoted);
}

// The scan shared by both forms. In the fixed form the character after an
// opening quote is taken as content without being looked at, and a run of
// separators outside quotes counts as one.
template <typename IsSep>
stCsvLineData Split(std::string_view text, IsSep isSep, bool fixedForm) {
  stCsvLineData rec;
  const size_t n = text.size();
  size_t i = 0, s = 0;
  bool q = false;
  while (i < n) {
    char c = text[i];
    if (c == '"' && !q) {
      q = true;
      s = i + 1;
      i += fixedForm ? 2 : 1;
    } else if (c == '"' && q) {
      AddField(rec, text, s, i, 1);
      q = false;
      ++i;
      while (i < n && isSep(text[i])) ++i;
      s = i;
    } else if (isSep(c) && !q) {
      AddField(rec, text, s, i, 0);
      ++i;
      if (fixedForm) {
        while (i < n && isSep(text[i])) ++i;
      }
      s = i;
    } else {
      ++i;
    }
  }
  if (n > 0 && !isSep(text[n - 1])) AddField(rec, text, s, n, q ? 1 : 0);
  return rec;
}

}  // namespace

bool CCsvFile::ReadFile(const std::string& fileName, const std::string& separators) {
  std::string content, why;
  if (!CommFun->ReadWholeFile(fileName, content, why)) return false;
  DataClear();
  bool fixed = separators == " ," || separators == ", ";
  size_t pos = 0;
  std::string_view line;
  while (CommFun->NextLine(content, pos, kLineBuffer, line)) {
    std::string text(line);
    if (fixed) {
      SetDataStr(text);
    } else {
      SetDataStr(text.c_str(), separators.c_str());
    }
  }
  return true;
}

bool CCsvFile::SetDataStr(const std::string& line) {
  std::string_view text(line);
  if (text.size() > kFixedTextMax) text = text.substr(0, kFixedTextMax);
  table_.push_back(Split(text, IsFixedSeparator, true));
  return true;
}

bool CCsvFile::SetDataStr(const char* line, const char* separators) {
  std::string_view seps(separators);
  auto isSep = [seps](char c) { return seps.find(c) != std::string_view::npos; };
  table_.push_back(Split(std::string_view(line), isSep, false));
  return true;
}

bool CCsvFile::SetAtRec(int recordNo) {
  if (recordNo < 1 || static_cast<size_t>(recordNo) > table_.size()) {
    current_ = -1;
    return false;
  }
  current_ = recordNo - 1;
  return true;
}

std::string CCsvFile::Strings(int fieldNo) {
  if (current_ < 0 || fieldNo < 0) return std::string();
  const stCsvLineData& rec = table_[current_];
  if (static_cast<size_t>(fieldNo) >= rec.Fields.size()) return std::string();
  return rec.Fields[fieldNo];
}

int CCsvFile::GetDataCnt() {
  if (current_ < 0) return 0;
  return static_cast<int>(table_[current_].Fields.size());
}

bool CCsvFile::DeleteData() {
  if (current_ < 0) return false;
  DataClear();
  return true;
}

void CCsvFile::DataClear() {
  table_.clear();
  current_ = -1;
}
