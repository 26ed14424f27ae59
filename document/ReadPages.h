// The whole pages of a large buffer that have been read and will not be read
// again, given back to the system as the reading goes instead of when the
// buffer is freed.
#pragma once

#include <cstddef>
#include <cstdint>

class ReadPages {
public:
    ReadPages(const void* data, std::size_t size);

    // The first `bytes` of the buffer are done with. The buffer reads as
    // zeros there afterwards, wherever a whole page was given back.
    void DoneUpTo(std::size_t bytes);

private:
    const char* bytes_;
    std::size_t size_;
    std::uintptr_t givenBack_ = 0;
};
