// The global allocation functions of the setup program. The library's operator new throws
// std::bad_alloc, which would bring the exception machinery the setup program is built without;
// here running out of memory ends the program through the fatal shutdown, where that exception
// would have ended. Code that can tell the user instead asks first (try_resize.h) or uses the
// nothrow forms.
#include "error_log.h"

#include <cstdlib>
#include <new>

namespace {

void* allocate(std::size_t size) noexcept { return std::malloc(size != 0 ? size : 1); }

void* allocate_or_end(std::size_t size)
{
    void* memory = allocate(size);
    if (memory == nullptr) fatal_error();
    return memory;
}

} // namespace

void* operator new(std::size_t size) { return allocate_or_end(size); }
void* operator new[](std::size_t size) { return allocate_or_end(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
