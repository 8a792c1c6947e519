#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <cstddef>
#include <vector>

// A non-blocking TCP client to an IPv4 literal, reporting through four
// signals that arrive on the thread's event loop:
// - connected(): the opening succeeded; isActive() is true from now on.
// - disconnected(): the peer closed the connection without an error, or
//   setActive(false) closed it (emitted before setActive returns).
// - error(wsaCode): an opening, send, receive or the connection failed, with
//   its Windows Sockets number. The socket is then already closed: isActive()
//   is false and no disconnected() follows.
// - readyRead(): bytes have arrived; take them with receiveBuf(). The signal
//   is repeated while bytes remain, but only after receiveBuf() was called,
//   and a close by the peer is seen once the bytes before it are taken.
// A handler of these signals may throw SilentAbort to end the event silently.
class ClientSocket : public QObject
{
    Q_OBJECT
  public:
    // Bytes a send may leave waiting for a peer that does not read.
    static constexpr std::size_t kMaxPendingBytes = std::size_t{1} << 20;

    explicit ClientSocket(QObject* parent = nullptr);
    ~ClientSocket() override;

    // Take effect at the next opening.
    void setAddress(const QString& address);
    QString address() const { return m_address; }
    void setPort(int port);
    int port() const { return m_port; }

    // True starts an opening and returns at once, dropping one that is under
    // way (never two sockets); while open it does nothing. False closes;
    // only an open connection gives disconnected(), before it returns.
    void setActive(bool active);
    bool isActive() const { return m_state == State::Open; }

    // Sends or queues all of count bytes and returns count; returns 0 and
    // does nothing when not connected. A failure returns -1 and arrives as
    // error() from the event loop.
    int sendBuf(const void* data, int count);
    // Copies up to count bytes that have arrived; returns how many, 0 when
    // none, -1 after a failure (reported as error() from the event loop).
    int receiveBuf(void* buffer, int count);

  signals:
    void connected();
    void disconnected();
    void error(int wsaCode);
    void readyRead();

  private:
    enum class State { Closed, Opening, Open };

    void open();
    void closeSocket();
    void fail(int wsaCode);
    void failLater(int wsaCode);
    void onReadable();
    void onWritable();
    void finishOpening();
    void flushPending();
    bool queuePending(const char* data, std::size_t count);
    template <typename Emit> void deliver(Emit emitSignal);

    QString m_address;
    int m_port = 0;
    int m_fd = -1;
    State m_state = State::Closed;
    QSocketNotifier m_readNotifier{QSocketNotifier::Read};
    QSocketNotifier m_writeNotifier{QSocketNotifier::Write};
    std::vector<char> m_pending;
    bool m_receiveCalled = false;
};
