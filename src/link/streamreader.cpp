#include "link/streamreader.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{

enum ByteKind : std::uint8_t { Text, Separator, Discard, LineFeed };

constexpr std::array<std::uint8_t, 256> makeByteKinds()
{
    std::array<std::uint8_t, 256> kinds{};
    kinds[';'] = Separator;
    kinds['#'] = Separator;
    kinds['+'] = Discard;
    kinds['\n'] = LineFeed;
    return kinds;
}

constexpr std::array<std::uint8_t, 256> kByteKinds = makeByteKinds();

// Where the special bytes of a block of up to 64 stream bytes are, one bit
// per byte. Finding the next special byte from a mask, not from the byte
// before it, keeps the scan from waiting on each byte in turn.
struct BlockMasks {
    std::uint64_t special = 0;
    std::uint64_t lineFeed = 0;
    std::uint64_t discard = 0;
};

BlockMasks classifyBytes(const std::uint8_t* block, std::size_t length)
{
    BlockMasks masks;
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t kind = kByteKinds[block[i]];
        masks.special |= std::uint64_t{kind != Text} << i;
        masks.lineFeed |= std::uint64_t{kind == LineFeed} << i;
        masks.discard |= std::uint64_t{kind == Discard} << i;
    }
    return masks;
}

BlockMasks classifyBlock(const std::uint8_t* block, std::size_t length)
{
#if defined(__SSE2__)
    if (length < 64)
        return classifyBytes(block, length);
    BlockMasks masks;
    const __m128i separator = _mm_set1_epi8(';');
    const __m128i hash = _mm_set1_epi8('#');
    const __m128i plus = _mm_set1_epi8('+');
    const __m128i lineFeed = _mm_set1_epi8('\n');
    for (int part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * part));
        const __m128i isLineFeed = _mm_cmpeq_epi8(bytes, lineFeed);
        const __m128i isPlus = _mm_cmpeq_epi8(bytes, plus);
        const __m128i isSeparator =
            _mm_or_si128(_mm_cmpeq_epi8(bytes, separator), _mm_cmpeq_epi8(bytes, hash));
        const __m128i isSpecial = _mm_or_si128(_mm_or_si128(isLineFeed, isPlus), isSeparator);
        const int shift = 16 * part;
        masks.special |= std::uint64_t(unsigned(_mm_movemask_epi8(isSpecial))) << shift;
        masks.lineFeed |= std::uint64_t(unsigned(_mm_movemask_epi8(isLineFeed))) << shift;
        masks.discard |= std::uint64_t(unsigned(_mm_movemask_epi8(isPlus))) << shift;
    }
    return masks;
#else
    return classifyBytes(block, length);
#endif
}

// Room after the row text for copying a short run as one 16-byte block.
constexpr std::size_t kCopySlack = 16;

// Copies a run of text to out; runs are mostly short cells.
char* copyRun(char* out, const std::uint8_t* run, std::size_t length, const std::uint8_t* end)
{
    if (length <= 16 && end - run >= 16)
        std::memcpy(out, run, 16);
    else
        std::memcpy(out, run, length);
    return out + length;
}

// A stream of separators or line feeds must not wrap the cursor round.
int saturatingIncrement(int value)
{
    return value == INT_MAX ? value : value + 1;
}

std::string_view between(const std::uint8_t* begin, const std::uint8_t* end)
{
    return {reinterpret_cast<const char*>(begin), static_cast<std::size_t>(end - begin)};
}

} // namespace

StreamReader::StreamReader(MeasurementTable& table) : m_table(table) {}

void StreamReader::startDownload()
{
    m_table.resetForDownload();
    m_cellCarry.clear();
    m_replyLength = 0;
}

ReadOutcome StreamReader::readEvent(const std::uint8_t* data, std::size_t n)
{
    ReadOutcome out;
    const bool configuration = m_replyLength > 0 || (n > 0 && data[0] == protocol::kConfigurationMarker);
    if (configuration)
        takeConfiguration(data, n, out);
    else if (n > 0)
        readData(data, data + n, out.logLines);
    finishEvent(out.logLines);
    return out;
}

// The row text of the event is written straight into the log: every text
// byte goes there, a line ends at each line feed.
void StreamReader::readData(const std::uint8_t* p, const std::uint8_t* end, LogLines& log)
{
    const std::size_t logStart = log.text.size();
    log.text.resize(logStart + static_cast<std::size_t>(end - p) + kCopySlack);
    char* const logBase = log.text.data();
    char* out = logBase + logStart;
    const std::uint8_t* run = p;
    for (const std::uint8_t* block = p; block < end; block += 64) {
        const BlockMasks masks = classifyBlock(block, std::min<std::size_t>(64, std::size_t(end - block)));
        for (std::uint64_t specials = masks.special; specials != 0; specials &= specials - 1) {
            const int bit = std::countr_zero(specials);
            const std::uint8_t* special = block + bit;
            const std::string_view text = between(run, special);
            out = copyRun(out, run, text.size(), end);
            run = special + 1;
            if ((masks.lineFeed >> bit) & 1) {
                log.ends.push_back(static_cast<std::size_t>(out - logBase));
                endRow(text);
            } else if ((masks.discard >> bit) & 1) {
                m_cellCarry.clear();
            } else {
                endCell(text);
                m_table.cursor().column = saturatingIncrement(m_table.cursor().column);
            }
        }
    }
    out = copyRun(out, run, std::size_t(end - run), end);
    m_cellCarry.append(between(run, end));
    log.text.resize(static_cast<std::size_t>(out - logBase));
}

// A reply that arrives in pieces is completed from the following read
// events; only a complete one is shown. Bytes after it in the completing
// event are not looked at.
void StreamReader::takeConfiguration(const std::uint8_t* data, std::size_t n, ReadOutcome& out)
{
    const std::size_t taken = std::min(n, m_reply.size() - m_replyLength);
    std::copy_n(data, taken, m_reply.begin() + static_cast<std::ptrdiff_t>(m_replyLength));
    m_replyLength += taken;
    if (m_replyLength < m_reply.size())
        return;
    m_replyLength = 0;
    out.logLines.append(kConfigurationLogLine);
    out.settings = SettingsRecord::fromBytes(m_reply.data() + 1);
}

// The cell's text is what was carried over from earlier read events plus
// the run of text right before its end in this one.
void StreamReader::endCell(std::string_view run)
{
    const std::string_view text = m_cellCarry.empty() ? run : joinCarriedText(run);
    const int column = m_table.cursor().column;
    if (column >= MeasurementTable::kColumnCount)
        return;
    if (m_cellCount == 0)
        m_firstCellColumn = column;
    m_cells[static_cast<std::size_t>(m_cellCount++)] = text;
}

// Only the first cell ended in a read event can have carried text.
std::string_view StreamReader::joinCarriedText(std::string_view run)
{
    storeCells();
    m_joinedCell.assign(m_cellCarry).append(run);
    m_cellCarry.clear();
    return m_joinedCell;
}

void StreamReader::storeCells()
{
    if (m_cellCount == 0)
        return;
    m_table.setCells(m_table.cursor().row, m_firstCellColumn, m_cells.data(), m_cellCount);
    m_cellCount = 0;
}

void StreamReader::endRow(std::string_view run)
{
    endCell(run);
    storeCells();
    auto& cursor = m_table.cursor();
    cursor.row = saturatingIncrement(cursor.row);
    cursor.column = 0;
    m_table.countLineFeed();
}

// The row count depends only on the line feeds since the last reset, never
// on how the stream was cut into read events: N rows after a download leave
// N rows, however they arrived, and an event without rows changes nothing.
void StreamReader::finishEvent(LogLines& log)
{
    storeCells();
    const long long lineFeeds = m_table.lineFeedsSinceBase();
    if (lineFeeds >= 1)
        m_table.setRowCount(std::max<long long>(1, m_table.rowBase() + lineFeeds - 2));
    if (log.openLength() > 0)
        log.ends.push_back(log.text.size());
}
