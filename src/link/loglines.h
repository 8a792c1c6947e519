#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

// Status-log lines in one buffer, so that the rows of a read event cost no
// allocation each. Lines are code page 1250 bytes; line i is
// text[ends[i-1], ends[i]), the first from 0.
struct LogLines {
    std::string text;
    std::vector<std::size_t> ends;

    std::size_t size() const { return ends.size(); }
    bool empty() const { return ends.empty(); }
    std::string_view operator[](std::size_t i) const
    {
        const std::size_t begin = i == 0 ? 0 : ends[i - 1];
        return std::string_view(text).substr(begin, ends[i] - begin);
    }
    void append(std::string_view line)
    {
        text.append(line);
        ends.push_back(text.size());
    }
    // Bytes written to text after the last line: an unfinished line.
    std::size_t openLength() const { return text.size() - (ends.empty() ? 0 : ends.back()); }

    class Iterator
    {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        Iterator() = default;
        Iterator(const LogLines* lines, std::size_t index) : m_lines(lines), m_index(index) {}
        std::string_view operator*() const { return (*m_lines)[m_index]; }
        Iterator& operator++()
        {
            ++m_index;
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator before = *this;
            ++m_index;
            return before;
        }
        bool operator==(const Iterator& other) const { return m_index == other.m_index; }

      private:
        const LogLines* m_lines = nullptr;
        std::size_t m_index = 0;
    };

    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, size()}; }
};
