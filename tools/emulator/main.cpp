#include "civiltime.h"
#include "eventlog.h"
#include "modulesettings.h"
#include "options.h"
#include "readinglog.h"
#include "server.h"
#include "stopsignal.h"

#include <cstdio>

using namespace emulator;

namespace
{

ReadingLog makeLog(const Options& options, int64_t clock)
{
    ReadingLog::Shape shape;
    shape.rows = options.rows;
    shape.lastSeconds = clock;
    shape.interval = options.interval;
    shape.ports = options.ports;
    shape.seed = options.seed;
    shape.crlf = options.crlf;
    shape.decimalSeparator = options.decimalSeparator;
    return ReadingLog(shape);
}

} // namespace

int main(int argc, char** argv)
{
    std::string error;
    const auto options = Options::parse(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "kestrova-emulator: %s\n\n%s", error.c_str(), Options::usage());
        return 2;
    }
    if (options->help) {
        std::fputs(Options::usage(), stdout);
        return 0;
    }
    if (!StopSignal::install())
        return 1;
    const int64_t clock = options->clock ? options->clock->toSeconds() : CivilTime::localSecondsNow();
    ModuleSettings settings(clock, options->ports, options->interval);
    // The log is what the module recorded before start-up; writing new settings
    // later changes the record, not the readings already taken.
    const ReadingLog log = makeLog(*options, clock);
    Server server(*options, settings, log);
    if (!server.listen())
        return 1;
    server.run();
    return 0;
}
