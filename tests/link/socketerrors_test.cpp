#include "link/socketerrors.h"

#include <cerrno>
#include <gtest/gtest.h>

TEST(SocketErrors, mapsErrnoToWindowsSocketsNumbers)
{
    struct Case {
        int errnoValue;
        int wsaCode;
    };
    const Case cases[] = {
        {ECONNREFUSED, 10061}, {ECONNRESET, 10054},   {ECONNABORTED, 10053}, {EPIPE, 10054},
        {ETIMEDOUT, 10060},    {EHOSTUNREACH, 10065}, {ENETUNREACH, 10051},  {EADDRNOTAVAIL, 10049},
        {EWOULDBLOCK, 10035},  {EACCES, 10013},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wsa::fromErrno(c.errnoValue), c.wsaCode) << c.errnoValue;
}

TEST(SocketErrors, onlyAnAbortedConnectionGivesConnectionAborted)
{
    for (int errnoValue = 0; errnoValue < 512; ++errnoValue) {
        if (errnoValue != ECONNABORTED)
            EXPECT_NE(wsa::fromErrno(errnoValue), wsa::kConnectionAborted) << errnoValue;
    }
}

TEST(SocketErrors, unknownErrnoStaysReadable)
{
    EXPECT_EQ(wsa::fromErrno(EBADR), wsa::kUnknownErrnoBase + EBADR);
}
