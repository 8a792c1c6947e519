// Handlers of the module link: the connection, the download and the module's settings.
#include "app/tform1.h"

#include "app/statuslog.h"
#include "link/clientsocket.h"
#include "link/protocol.h"
#include "link/silentabort.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <array>

namespace {
// The error that tells the module closed the connection on us.
constexpr int kConnectionAborted = 10053;
} // namespace

void TForm1::sendBytes(const std::uint8_t* bytes, int count)
{
    ClientSocket->sendBuf(bytes, count);
}

void TForm1::btn_connectClick()
{
    if (ClientSocket->isActive()) {
        ClientSocket->setActive(false);
        btn_connect->setText(QStringLiteral("P\u0159ipojit"));
        return;
    }
    ClientSocket->setAddress(edt_ip->text());
    ClientSocket->setPort(m_env.modulePort);
    ClientSocket->setActive(true);
}

void TForm1::ClientSocketConnect()
{
    btn_connect->setText(QStringLiteral("Odpojit"));
    logLine(QStringLiteral("P\u0159ipojeno"));
}

void TForm1::ClientSocketDisconnect()
{
    btn_connect->setText(QStringLiteral("Connect"));
    logLine(QStringLiteral("Odpojeno"));
}

void TForm1::ClientSocketError(int& errorCode)
{
    if (errorCode == kConnectionAborted) {
        logLine(QStringLiteral("Pripojeni uzavreno vzdalenym hostitelem"));
        btn_connect->setText(QStringLiteral("P\u0159ipojit"));
    } else {
        logLine(QStringLiteral("Socket error: %1").arg(errorCode));
    }
    throw SilentAbort();
}

void TForm1::btn_receiveClick()
{
    if (!ClientSocket->isActive())
        return;
    setCursor(Qt::WaitCursor);
    sendBytes(&protocol::kRequestCodes[protocol::DownloadData], 1);
    unsetCursor();
    m_reader.startDownload();
    refreshTable();
    logLine(QStringLiteral("Odesl\u00e1n po\u017eadavek (0xE0)"));
}

void TForm1::ClientSocketRead()
{
    std::array<std::uint8_t, protocol::kReceiveBufferSize> buffer;
    const int received = ClientSocket->receiveBuf(buffer.data(), int(buffer.size()));
    const ReadOutcome outcome = m_reader.readEvent(buffer.data(), received > 0 ? std::size_t(received) : 0);
    Memo1->appendBlock(outcome.logLines.text, outcome.logLines.ends);
    if (outcome.settings)
        showSettingsRecord(*outcome.settings);
    scheduleTableRefresh();
}

std::array<QSpinBox*, 8> TForm1::limitEdits() const
{
    return {set_t1min, set_t1max, set_t2min, set_t2max, set_t3min, set_t3max, set_t4min, set_t4max};
}

void TForm1::btn_systimeClick()
{
    const QDateTime now = QDateTime::currentDateTime();
    set_date->setDate(now.date());
    set_time->setTime(now.time());
}

void TForm1::btb_loadsetClick()
{
    sendBytes(&protocol::kRequestCodes[protocol::ReadConfiguration], 1);
    logLine(QStringLiteral("Odesl\u00e1n po\u017eadavek (0xE5)"));
}

void TForm1::btn_savesetClick()
{
    SettingsValues values;
    const QDate date = set_date->date();
    const QTime time = set_time->time();
    values.year = date.year();
    values.month = date.month();
    values.day = date.day();
    values.hour = time.hour();
    values.minute = time.minute();
    values.second = time.second();
    values.portsIndex = set_ports->currentIndex();
    values.intervalIndex = set_interval->currentIndex();
    const auto limits = limitEdits();
    for (std::size_t i = 0; i < limits.size(); ++i)
        values.limits[i] = limits[i]->value();
    const SettingsRecord::Bytes record = makeSettingsRecord(values).toBytes();

    sendBytes(&protocol::kRequestCodes[protocol::WriteSettingsBegin], 1);
    sendBytes(record.data(), int(record.size()));
    sendBytes(&protocol::kRequestCodes[protocol::WriteSettingsEnd], 1);
    logLine(QStringLiteral("Odesl\u00e1n po\u017eadavek (0xE6)"));
}

void TForm1::showSettingsRecord(const SettingsRecord& record)
{
    set_ports->setCurrentIndex(portsIndexFromByte(record.ports));
    if (const auto interval = intervalIndexFromSeconds(record.interval))
        set_interval->setCurrentIndex(*interval);
    const auto limits = limitEdits();
    for (std::size_t i = 0; i < limits.size(); ++i)
        limits[i]->setValue(record.limits[i]);
}
