#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Memory for the large buffers that are filled straight after they are
// taken (table rows, log text, a file's bytes): its pages are mapped in one
// call rather than one fault each as they are first written, which is most
// of the cost of filling fresh memory. Under AddressSanitizer it is plain
// heap memory, so that overruns are still caught.
namespace PopulatedMemory
{

struct Release {
    std::size_t size = 0;
    void operator()(std::uint8_t* bytes) const;
};

using Bytes = std::unique_ptr<std::uint8_t[], Release>;

// Throws std::bad_alloc when there is no memory.
Bytes allocate(std::size_t size);

} // namespace PopulatedMemory
