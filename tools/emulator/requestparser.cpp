#include "requestparser.h"

namespace emulator
{

void RequestParser::feed(uint8_t byte, std::vector<Request>& requests)
{
    switch (m_state) {
    case State::Idle:
        feedIdle(byte, requests);
        return;
    case State::Record:
        m_record[m_filled++] = byte;
        if (m_filled == m_record.size())
            m_state = State::End;
        return;
    case State::End:
        m_state = State::Idle;
        if (byte == WriteEndCode) {
            requests.push_back({Request::Kind::WriteSettings, byte, m_record});
            return;
        }
        // The frame is dropped; its would-be end byte may start the next request.
        requests.push_back({Request::Kind::BrokenFrame, byte, m_record});
        feedIdle(byte, requests);
        return;
    }
}

void RequestParser::feedIdle(uint8_t byte, std::vector<Request>& requests)
{
    switch (byte) {
    case DownloadCode:
        requests.push_back({Request::Kind::Download, byte, {}});
        return;
    case ReadConfigCode:
        requests.push_back({Request::Kind::ReadConfig, byte, {}});
        return;
    case WriteStartCode:
        m_state = State::Record;
        m_filled = 0;
        return;
    default:
        requests.push_back({Request::Kind::Unknown, byte, {}});
        return;
    }
}

} // namespace emulator
