// CCsvFile: reads a small text file into records of text fields and hands
// single fields out by record and field number. It converts no numbers.
#ifndef CONVERTD_INPUT_CSVFILE_H_
#define CONVERTD_INPUT_CSVFILE_H_

#include <string>
#include <vector>

struct stCsvLineData {
  std::vector<std::string> Fields;
  std::vector<int> Quoted;  // 1 when the field was enclosed in double quotes
};

class CCsvFile {
 public:
  CCsvFile() : current_(-1) {}
  virtual ~CCsvFile() { DataClear(); }

  // Reads every line of the file as one record, blank lines included. With
  // the separators " ," or ", " the fixed splitting is used, otherwise the
  // characters of separators. False only when the file cannot be opened.
  bool ReadFile(const std::string& fileName, const std::string& separators);

  // Splits a line with the fixed separators (blank, tab, carriage return,
  // line feed, comma) and appends it; only the first 255 characters count.
  bool SetDataStr(const std::string& line);

  // Splits a line with the characters of separators and appends it.
  bool SetDataStr(const char* line, const char* separators);

  bool SetAtRec(int recordNo);     // 1-based; false and no current record when out of range
  std::string Strings(int fieldNo);  // 0-based; empty when out of range
  int GetDataCnt();
  bool DeleteData();
  void DataClear();

  size_t RecordCount() const { return table_.size(); }

 private:
  std::vector<stCsvLineData> table_;
  long current_;  // index of the current record, -1 for none
};

#endif  // CONVERTD_INPUT_CSVFILE_H_
