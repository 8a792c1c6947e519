#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Every number the module's wire protocol depends on.
namespace protocol
{

// Request codes, in this order: download data, read configuration, and the
// opening and closing bytes of the write-settings frame.
inline constexpr std::array<std::uint8_t, 4> kRequestCodes{0xE0, 0xE5, 0xE6, 0xE7};
enum RequestCode : std::size_t {
    DownloadData = 0,
    ReadConfiguration = 1,
    WriteSettingsBegin = 2,
    WriteSettingsEnd = 3,
};

// First byte of a configuration reply: the marker, then a settings record.
inline constexpr std::uint8_t kConfigurationMarker = 0xE9;
inline constexpr std::size_t kSettingsRecordLength = 16;
inline constexpr std::size_t kConfigurationReplyLength = 1 + kSettingsRecordLength;

inline constexpr int kModulePort = 10001;

// At most this many bytes are taken from the connection per read event.
inline constexpr std::size_t kReceiveBufferSize = 65535;

} // namespace protocol
