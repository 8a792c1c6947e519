#include "data/populatedmemory.h"

#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define KESTROVA_PLAIN_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KESTROVA_PLAIN_HEAP 1
#endif
#endif

#ifndef KESTROVA_PLAIN_HEAP
#include <sys/mman.h>
#endif

namespace PopulatedMemory
{

#ifdef KESTROVA_PLAIN_HEAP

void Release::operator()(std::uint8_t* bytes) const
{
    delete[] bytes;
}

Bytes allocate(std::size_t size)
{
    return Bytes(new std::uint8_t[size], Release{size});
}

#else

void Release::operator()(std::uint8_t* bytes) const
{
    ::munmap(bytes, size);
}

Bytes allocate(std::size_t size)
{
#ifdef MAP_POPULATE
    constexpr int kFlags = MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE;
#else
    constexpr int kFlags = MAP_PRIVATE | MAP_ANONYMOUS;
#endif
    void* bytes = ::mmap(nullptr, size == 0 ? 1 : size, PROT_READ | PROT_WRITE, kFlags, -1, 0);
    if (bytes == MAP_FAILED)
        throw std::bad_alloc();
    return Bytes(static_cast<std::uint8_t*>(bytes), Release{size == 0 ? 1 : size});
}

#endif

} // namespace PopulatedMemory
