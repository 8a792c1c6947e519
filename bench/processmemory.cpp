#include "processmemory.h"

#include <cstdio>
#include <cstring>

long long processStatusKilobytes(const char* key)
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0;
    const std::size_t keyLength = std::strlen(key);
    char line[256];
    long long kilobytes = 0;
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, key, keyLength) == 0 && line[keyLength] == ':') {
            std::sscanf(line + keyLength + 1, "%lld", &kilobytes);
            break;
        }
    }
    std::fclose(status);
    return kilobytes;
}
