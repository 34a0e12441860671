// The trace: the records of a conversion in ascending time, keyed by their
// time in tenths of a second. The pattern reader builds it in ascending key
// order and no later step adds or removes a record, so it is a sorted array;
// positions are plain iterators and the record before a position is the
// element before it.
#ifndef CONVERTD_CONTEXT_TRACE_H_
#define CONVERTD_CONTEXT_TRACE_H_

#include <algorithm>
#include <vector>

#include "context/LargeAllocator.h"
#include "context/Records.h"

class TCalcData {
 public:
  typedef std::vector<stCalculateData, TLargeAllocator<stCalculateData>> TRecords;
  typedef TRecords::iterator iterator;

  iterator begin() { return recs_.begin(); }
  iterator end() { return recs_.end(); }
  size_t size() const { return recs_.size(); }
  bool empty() const { return recs_.empty(); }
  void clear() { recs_.clear(); }
  void reserve(size_t n) { recs_.reserve(n); }

  // Appends a record whose key lies above every key present.
  void push_back(const stCalculateData& rec) { recs_.push_back(rec); }
  void pop_back() { recs_.pop_back(); }
  stCalculateData& back() { return recs_.back(); }

  // The record whose key equals key exactly, or end().
  iterator find(double key) {
    iterator pos = std::lower_bound(
        recs_.begin(), recs_.end(), key,
        [](const stCalculateData& rec, double k) { return rec.Time10 < k; });
    if (pos != recs_.end() && pos->Time10 == key) return pos;
    return recs_.end();
  }

  // The same as find(key) for a key at or after the key of from, searched
  // from there: from, then 4, 8, 16 ... records on, until a record at or
  // above the key, and only that stretch is halved. For a key a few
  // records on this touches a few records instead of the whole trace.
  iterator findFrom(iterator from, double key) {
    if (from == recs_.end() || !(key >= from->Time10)) return find(key);
    // Every record before lo lies below the key; hi is the end or a record
    // at or above it.
    iterator lo = from, hi;
    for (size_t reach = 4;; reach *= 2) {
      if (static_cast<size_t>(recs_.end() - lo) <= reach) {
        hi = recs_.end();
        break;
      }
      hi = lo + reach;
      if (!(hi->Time10 < key)) break;
      lo = hi;
    }
    iterator pos = std::lower_bound(
        lo, hi, key, [](const stCalculateData& rec, double k) { return rec.Time10 < k; });
    if (pos != recs_.end() && pos->Time10 == key) return pos;
    return recs_.end();
  }

  // Releases the memory, not only the records.
  void release() { TRecords().swap(recs_); }

 private:
  TRecords recs_;
};

#endif  // CONVERTD_CONTEXT_TRACE_H_
