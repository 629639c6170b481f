// Growing a byte buffer where running out of memory is an answer to give the user, not a
// failure of the program.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

// Resizes `bytes` to `size`; false, with `bytes` unchanged, when there is not enough memory.
// Built with exceptions, the allocation's bad_alloc is caught. Built without them (the setup
// program, where a failed allocation ends the program), the memory is asked for first with
// malloc: when that fails nothing else is tried; when it succeeds the block goes back at once,
// and the vector's own allocation of the same size takes it again.
inline bool try_resize(std::vector<std::uint8_t>& bytes, std::size_t size)
{
    if (size > bytes.max_size()) return false;
#if __cpp_exceptions
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        return false;
    }
#else
    if (size > bytes.capacity()) {
        void* probe = std::malloc(size);
        if (!probe) return false;
        std::free(probe);
    }
    bytes.resize(size);
#endif
    return true;
}
