#include "link/socketerrors.h"

#include <cerrno>
#include <iterator>

namespace
{

struct ErrnoMapping {
    int errnoValue;
    int wsaCode;
};

// Windows Sockets numbers are 10000 plus the BSD errno of the same name;
// errno values up to 34 are the same on this platform, the rest are not.
constexpr ErrnoMapping kMappings[] = {
    {EPERM, 10013}, // a firewall rule or a broadcast address: access denied
    {EINTR, 10004},
    {EBADF, 10009},
    {EACCES, 10013},
    {EFAULT, 10014},
    {EINVAL, 10022},
    {EMFILE, 10024},
    {EWOULDBLOCK, 10035},
#if EAGAIN != EWOULDBLOCK
    {EAGAIN, 10035},
#endif
    {EINPROGRESS, 10036},
    {EALREADY, 10037},
    {ENOTSOCK, 10038},
    {EDESTADDRREQ, 10039},
    {EMSGSIZE, 10040},
    {EPROTOTYPE, 10041},
    {ENOPROTOOPT, 10042},
    {EPROTONOSUPPORT, 10043},
    {ESOCKTNOSUPPORT, 10044},
    {EOPNOTSUPP, 10045},
    {EPFNOSUPPORT, 10046},
    {EAFNOSUPPORT, 10047},
    {EADDRINUSE, 10048},
    {EADDRNOTAVAIL, 10049},
    {ENETDOWN, 10050},
    {ENETUNREACH, 10051},
    {ENETRESET, 10052},
    {ECONNABORTED, 10053},
    {ECONNRESET, 10054},
    // We never shut down our own side, so a broken pipe means the module
    // ended the connection: Windows Sockets reports that as a reset.
    {EPIPE, 10054},
    {ENOBUFS, 10055},
    {ENOMEM, 10055},
    {EISCONN, 10056},
    {ENOTCONN, 10057},
    {ESHUTDOWN, 10058},
    {ETOOMANYREFS, 10059},
    {ETIMEDOUT, 10060},
    {ECONNREFUSED, 10061},
    {ELOOP, 10062},
    {ENAMETOOLONG, 10063},
    {EHOSTDOWN, 10064},
    {EHOSTUNREACH, 10065},
    {ENOTEMPTY, 10066},
    {EUSERS, 10068},
    {EDQUOT, 10069},
    {ESTALE, 10070},
    {EREMOTE, 10071},
};

} // namespace

int wsa::fromErrno(int errnoValue)
{
    for (const auto& mapping : kMappings) {
        if (mapping.errnoValue == errnoValue)
            return mapping.wsaCode;
    }
    return kUnknownErrnoBase + errnoValue;
}
