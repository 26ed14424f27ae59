#include "document/ReadPages.h"

#include <QtGlobal>
#include <algorithm>

#if defined(Q_OS_UNIX)
#include <sys/mman.h>
#include <unistd.h>
#endif

ReadPages::ReadPages(const void* data, std::size_t size)
    : bytes_(static_cast<const char*>(data)), size_(size) {}

void ReadPages::DoneUpTo(std::size_t bytes) {
#if defined(Q_OS_UNIX) && defined(MADV_DONTNEED)
    // Never the first page: the allocator keeps its records just before the
    // bytes.
    static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto data = reinterpret_cast<std::uintptr_t>(bytes_);
    const std::uintptr_t begin = std::max(givenBack_, (data + 2 * page - 1) / page * page);
    const std::uintptr_t end = (data + std::min(bytes, size_)) / page * page;
    if (end <= begin) return;
    // The pages are ours to give back: the buffer's owner reads them no more.
    madvise(const_cast<char*>(bytes_) + (begin - data), end - begin, MADV_DONTNEED);
    givenBack_ = end;
#else
    (void)bytes;
#endif
}
