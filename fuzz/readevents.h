#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A fuzz input read as a stream cut into read events. The first byte gives
// how many event lengths follow (its low five bits), each following byte is
// the length of one event, and the rest of the input is the stream. The
// events take their lengths from the stream in turn; what is left is the last
// event. A length of 0 is an event that delivers no bytes.
struct CutStream {
    std::vector<std::size_t> lengths;
    std::string stream;
};

inline CutStream cutStream(const std::uint8_t* data, std::size_t size)
{
    CutStream cut;
    if (size == 0)
        return cut;
    std::size_t count = data[0] & 0x1F;
    std::size_t pos = 1;
    for (; count > 0 && pos < size; --count, ++pos)
        cut.lengths.push_back(data[pos]);
    cut.stream.assign(reinterpret_cast<const char*>(data + pos), size - pos);
    return cut;
}

// The stream split at the given lengths, the rest as the last event.
inline std::vector<std::string_view> splitEvents(std::string_view stream,
                                                 const std::vector<std::size_t>& lengths)
{
    std::vector<std::string_view> events;
    for (std::size_t length : lengths) {
        const std::string_view event = stream.substr(0, length);
        events.push_back(event);
        stream.remove_prefix(event.size());
    }
    events.push_back(stream);
    return events;
}

// One event per byte.
inline std::vector<std::string_view> byteEvents(std::string_view stream)
{
    std::vector<std::string_view> events;
    for (std::size_t i = 0; i < stream.size(); ++i)
        events.push_back(stream.substr(i, 1));
    return events;
}
