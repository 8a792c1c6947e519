#include "options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>

namespace emulator
{

namespace
{

const char* const UsageText =
    "usage: kestrova-emulator [options]\n"
    "Emulates the temperature-logging module on TCP: 0xE0 download, 0xE5 read and\n"
    "0xE6+16 bytes+0xE7 write settings. One client at a time: a new connection\n"
    "replaces the current one. Requests are logged on stderr.\n"
    "\n"
    "  --listen ADDRESS   IPv4 address to listen on (default 127.0.0.1)\n"
    "  --port N           TCP port (default 10001; 0 lets the system pick one).\n"
    "                     The first line on stdout is \"listening ADDRESS:PORT\".\n"
    "  --rows N           readings in the log (default 2000), spaced by the interval\n"
    "                     and ending at the module's clock at start-up\n"
    "  --clock \"dd.mm.yy HH:MM:SS\"  module clock at start-up (default: local time)\n"
    "  --ports N          active ports 1..4 (default 4)\n"
    "  --interval S       measuring interval 5, 10, 15, 20 or 30 s (default 10)\n"
    "  --seed N           seed of the readings' noise (default 1)\n"
    "  --crlf             end every line of the data stream with CR LF\n"
    "  --decimal-comma    write readings with a decimal comma (21,5), as a client\n"
    "                     in a locale such as cs_CZ reads them\n"
    "  --chunk N          send in pieces of at most N bytes ...\n"
    "  --pause MS         ... with MS milliseconds between them (default 1)\n"
    "  --fault NAME       misbehave; NAME is one of\n"
    "                       reset-mid-row     the download stops inside a row, then RST\n"
    "                       close-mid-row     the download stops inside a row, then FIN\n"
    "                       long-row          the download is one 10 MiB row without line feed,\n"
    "                                         the connection stays open\n"
    "                       many-separators   the download starts with a row of 1,000,000 ';'\n"
    "                       e9-first          the download starts with the byte 0xE9\n"
    "                       silent            requests are read but never answered\n"
    "                       no-read           nothing is read from the client\n"
    "  --cut-after N      complete rows sent before a *-mid-row cut (default rows/2)\n"
    "  --help             print this text\n";

bool parseNumber(const std::string& text, uint64_t max, uint64_t& value)
{
    if (text.empty() || text[0] == '-' || text[0] == '+')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed > max)
        return false;
    value = parsed;
    return true;
}

std::optional<Fault> parseFault(const std::string& name)
{
    static const std::map<std::string, Fault> names = {
        {"reset-mid-row", Fault::ResetMidRow},
        {"close-mid-row", Fault::CloseMidRow},
        {"long-row", Fault::LongRow},
        {"many-separators", Fault::ManySeparators},
        {"e9-first", Fault::E9First},
        {"silent", Fault::Silent},
        {"no-read", Fault::NoRead},
        {"none", Fault::None},
    };
    const auto it = names.find(name);
    if (it == names.end())
        return std::nullopt;
    return it->second;
}

std::optional<CivilTime> parseClock(const std::string& text)
{
    CivilTime t;
    int yy = 0;
    char tail = 0;
    const int n = std::sscanf(text.c_str(), "%2d.%2d.%2d %2d:%2d:%2d%c", &t.day, &t.month, &yy, &t.hour,
                              &t.minute, &t.second, &tail);
    if (n != 6 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 ||
        t.second > 59)
        return std::nullopt;
    t.year = 2000 + yy;
    return t;
}

using Setter = std::function<bool(Options&, const std::string&)>;

template <typename T> Setter number(T Options::*field, uint64_t min, uint64_t max)
{
    return [=](Options& o, const std::string& v) {
        uint64_t n = 0;
        if (!parseNumber(v, max, n) || n < min)
            return false;
        o.*field = static_cast<T>(n);
        return true;
    };
}

bool setListen(Options& o, const std::string& v)
{
    o.listenAddress = v;
    return !v.empty();
}

bool setInterval(Options& o, const std::string& v)
{
    uint64_t n = 0;
    if (!parseNumber(v, 30, n) || (n != 5 && n != 10 && n != 15 && n != 20 && n != 30))
        return false;
    o.interval = static_cast<int>(n);
    return true;
}

bool setFault(Options& o, const std::string& v)
{
    const auto fault = parseFault(v);
    if (fault)
        o.fault = *fault;
    return fault.has_value();
}

bool setCutAfter(Options& o, const std::string& v)
{
    uint64_t n = 0;
    if (!parseNumber(v, 100'000'000, n))
        return false;
    o.cutAfter = n;
    return true;
}

bool setClock(Options& o, const std::string& v)
{
    o.clock = parseClock(v);
    return o.clock.has_value();
}

const std::map<std::string, Setter>& valueOptions()
{
    static const std::map<std::string, Setter> setters = {
        {"--listen", setListen},
        {"--port", number(&Options::port, 0, 65535)},
        {"--rows", number(&Options::rows, 0, 100'000'000)},
        {"--chunk", number(&Options::chunk, 0, 1'000'000'000)},
        {"--pause", number(&Options::pauseMs, 0, 10'000)},
        {"--seed", number(&Options::seed, 0, UINT64_MAX)},
        {"--ports", number(&Options::ports, 1, 4)},
        {"--interval", setInterval},
        {"--fault", setFault},
        {"--cut-after", setCutAfter},
        {"--clock", setClock},
    };
    return setters;
}

bool applyFlag(Options& o, const std::string& name)
{
    if (name == "--crlf")
        return o.crlf = true;
    if (name == "--decimal-comma") {
        o.decimalSeparator = ',';
        return true;
    }
    if (name == "--help" || name == "-h")
        return o.help = true;
    return false;
}

} // namespace

std::optional<Options> Options::parse(int argc, char** argv, std::string& error)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (applyFlag(options, name))
            continue;
        const auto setter = valueOptions().find(name);
        if (setter == valueOptions().end()) {
            error = "unknown option " + name;
            return std::nullopt;
        }
        if (i + 1 >= argc || !setter->second(options, argv[i + 1])) {
            error = "bad or missing value for " + name;
            return std::nullopt;
        }
        ++i;
    }
    return options;
}

const char* Options::usage()
{
    return UsageText;
}

} // namespace emulator
