#include "data/logstore.h"

std::string_view LogStore::line(std::size_t i) const
{
    const std::size_t begin = i == 0 ? 0 : m_ends[i - 1];
    return std::string_view(m_text).substr(begin, m_ends[i] - begin);
}

void LogStore::append(std::string_view text)
{
    m_text.append(text);
    m_ends.push_back(m_text.size());
}

void LogStore::appendBlock(std::string_view text, std::span<const std::size_t> ends)
{
    const std::size_t base = m_text.size();
    const std::size_t used = ends.empty() ? 0 : ends.back();
    m_text.append(text.substr(0, used));
    for (std::size_t end : ends)
        m_ends.push_back(base + end);
}
