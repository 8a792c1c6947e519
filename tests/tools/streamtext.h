#pragma once

#include <string>
#include <vector>

// Small text helpers shared by the emulator tests.
inline bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The lines of a stream without their line ends; text after the last line end is dropped.
inline std::vector<std::string> linesOf(const std::string& stream, const std::string& lineEnd)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = stream.find(lineEnd, start)) != std::string::npos;
         start = end + lineEnd.size())
        lines.push_back(stream.substr(start, end - start));
    return lines;
}
