#pragma once

// The status log shows socket errors as Windows Sockets error numbers, and
// the window treats one of them (connection aborted) specially; the numbers
// of this platform's errno are mapped onto them here.
namespace wsa
{

inline constexpr int kAccessDenied = 10013;
inline constexpr int kInvalidArgument = 10022;
inline constexpr int kWouldBlock = 10035;
inline constexpr int kAddressNotAvailable = 10049;
inline constexpr int kConnectionAborted = 10053;
inline constexpr int kConnectionReset = 10054;
inline constexpr int kNoBufferSpace = 10055;
inline constexpr int kNotConnected = 10057;
inline constexpr int kConnectionRefused = 10061;

// An errno outside the table maps to this plus the errno: beyond every
// Windows Sockets number, so it can never pass for one (10053 above all),
// and the errno can still be read from the log.
inline constexpr int kUnknownErrnoBase = 20000;

// An address that is not a dotted IPv4 literal is reported as
// kAddressNotAvailable, the number Windows Sockets gives such a connect.
int fromErrno(int errnoValue);

} // namespace wsa
