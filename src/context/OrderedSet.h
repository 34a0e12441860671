// A small ordered set kept in a sorted vector. The full-load curve and the
// per-gear table are filled once during the initialisation and then only
// searched, so a contiguous array serves them better than a tree; iteration
// order and lookup are those of an ordered set ordered by T's operator<.
#ifndef CONVERTD_CONTEXT_ORDEREDSET_H_
#define CONVERTD_CONTEXT_ORDEREDSET_H_

#include <algorithm>
#include <vector>

template <typename T>
class TOrderedSet {
 public:
  typedef typename std::vector<T>::const_iterator iterator;

  iterator begin() const { return items_.begin(); }
  iterator end() const { return items_.end(); }
  size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  void clear() { items_.clear(); }

  // Inserts item unless an equivalent one is present; the first one stays.
  bool insert(const T& item) {
    typename std::vector<T>::iterator pos =
        std::lower_bound(items_.begin(), items_.end(), item);
    if (pos != items_.end() && !(item < *pos)) return false;
    items_.insert(pos, item);
    return true;
  }

  // Replaces the content by items in the order given, keeping only the
  // first of equivalent items: the same set as inserting them one by one.
  void assign(std::vector<T> items) {
    std::stable_sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end(),
                            [](const T& a, const T& b) { return !(a < b) && !(b < a); }),
                items.end());
    items_.swap(items);
  }

  iterator lower_bound(const T& key) const {
    return std::lower_bound(items_.begin(), items_.end(), key);
  }

  iterator find(const T& key) const {
    iterator pos = lower_bound(key);
    if (pos != items_.end() && !(key < *pos)) return pos;
    return items_.end();
  }

 private:
  std::vector<T> items_;
};

#endif  // CONVERTD_CONTEXT_ORDEREDSET_H_
