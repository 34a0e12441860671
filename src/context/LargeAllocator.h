// An allocator for the arrays of a conversion that grow with the pattern:
// the trace and the pattern reader's lists. Blocks of kLargeBlock bytes and
// more are mapped directly and the kernel is asked to back them with huge
// pages, where it can: a long pattern's trace is hundreds of megabytes, and
// on some machines taking it up 4 KiB page by page costs more time than the
// whole conversion. Smaller blocks come from operator new. The contents are
// those of any other allocation; only the pages differ.
#ifndef CONVERTD_CONTEXT_LARGEALLOCATOR_H_
#define CONVERTD_CONTEXT_LARGEALLOCATOR_H_

#include <sys/mman.h>

#include <cstddef>
#include <new>

// Under AddressSanitizer every block comes from operator new, so that the
// sanitizer watches the large ones too.
#if defined(__SANITIZE_ADDRESS__)
#define CONVERTD_MAP_LARGE_BLOCKS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CONVERTD_MAP_LARGE_BLOCKS 0
#endif
#endif
#ifndef CONVERTD_MAP_LARGE_BLOCKS
#define CONVERTD_MAP_LARGE_BLOCKS 1
#endif

const size_t kLargeBlock = size_t{4} << 20;

template <typename T>
class TLargeAllocator {
 public:
  typedef T value_type;

  TLargeAllocator() = default;
  template <typename U>
  TLargeAllocator(const TLargeAllocator<U>&) {}

  T* allocate(size_t n) {
    if (n > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    const size_t bytes = n * sizeof(T);
    if (!CONVERTD_MAP_LARGE_BLOCKS || bytes < kLargeBlock)
      return static_cast<T*>(::operator new(bytes));
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    ::madvise(p, bytes, MADV_HUGEPAGE);  // a request: without huge pages all works as before
#endif
    return static_cast<T*>(p);
  }

  void deallocate(T* p, size_t n) {
    const size_t bytes = n * sizeof(T);
    if (!CONVERTD_MAP_LARGE_BLOCKS || bytes < kLargeBlock) {
      ::operator delete(p);
    } else {
      ::munmap(p, bytes);
    }
  }

  template <typename U>
  bool operator==(const TLargeAllocator<U>&) const {
    return true;
  }
  template <typename U>
  bool operator!=(const TLargeAllocator<U>&) const {
    return false;
  }
};

#endif  // CONVERTD_CONTEXT_LARGEALLOCATOR_H_
