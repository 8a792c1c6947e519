// The window against the module emulator (or a server of the test's own) on 127.0.0.1.
#include "formfixture.h"

#include "../tools/emulatorprocess.h"
#include "app/statuslog.h"
#include "data/measurementfile.h"

#include <QComboBox>
#include <QDateEdit>
#include <QTableView>
#include <QTimeEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <csignal>

namespace {

constexpr int kWaitMs = 10000;

class ModuleLink : public FormFixture {
protected:
    TForm1& openAt(int port)
    {
        form = std::make_unique<TForm1>(FormEnvironment{exePath(), dialogs, shell, port});
        form->edt_ip->setText(QStringLiteral("127.0.0.1"));
        return *form;
    }

    bool waitForLog(const QString& line)
    {
        return QTest::qWaitFor([&] { return log().contains(line); }, kWaitMs);
    }

    void connectTo(TForm1& w)
    {
        w.btn_connect->click();
        ASSERT_TRUE(waitForLog(QStringLiteral("Připojeno")));
        EXPECT_EQ(w.btn_connect->text(), QStringLiteral("Odpojit"));
    }

    // Downloads and waits for the empty line that ends the module's stream.
    void download(TForm1& w, int rows)
    {
        w.btn_receive->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.table().rowCount() == rows + 1; }, kWaitMs))
            << "row count " << w.table().rowCount();
    }
};

TEST_F(ModuleLink, connectDownloadAndDisconnect)
{
    EmulatorProcess module({"--rows", "50"});
    ASSERT_NE(module.port(), 0);
    TForm1& w = openAt(module.port());
    connectTo(w);
    download(w, 50);
    const QStringList lines = log();
    ASSERT_GE(lines.size(), 2 + 50 + 1);
    EXPECT_EQ(lines[1], QStringLiteral("Odeslán požadavek (0xE0)"));
    EXPECT_TRUE(lines[2].startsWith(QString::fromStdString(std::string(w.table().cell(0, 1)))));
    EXPECT_EQ(lines.last(), QString()) << "the empty line that ends the stream is logged too";
    EXPECT_EQ(w.table().cell(0, 1).size(), 8u) << "dates as dd.mm.yy";
    EXPECT_FALSE(w.table().cell(2, 50).empty()) << "T1 of the last reading";
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Grid1->model()->rowCount() == 50; }, kWaitMs))
        << "the grid shows the rows within a moment";

    w.btn_connect->click();
    EXPECT_EQ(log().last(), QStringLiteral("Odpojeno"));
    EXPECT_EQ(w.btn_connect->text(), QStringLiteral("Připojit"));
    EXPECT_EQ(dialogs->shown.size(), 0);
}

TEST_F(ModuleLink, aDownloadInOneByteChunksGivesTheSameTable)
{
    std::string tables[2];
    const std::vector<std::string> options[2] = {{"--rows", "40"}, {"--rows", "40", "--chunk", "1", "--pause", "0"}};
    for (int i = 0; i < 2; ++i) {
        EmulatorProcess module(options[i]);
        ASSERT_NE(module.port(), 0);
        TForm1& w = openAt(module.port());
        connectTo(w);
        download(w, 40);
        tables[i] = MeasurementFile::serialize(w.table());
        destroy();
    }
    EXPECT_EQ(tables[0], tables[1]);
}

TEST_F(ModuleLink, nothingListeningLogsTheSocketErrorOnly)
{
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const int port = probe.serverPort();
    probe.close();
    TForm1& w = openAt(port);
    w.btn_connect->click();
    ASSERT_TRUE(waitForLog(QStringLiteral("Socket error: 10061")));
    EXPECT_EQ(w.btn_connect->text(), QStringLiteral("Připojit"));
    EXPECT_EQ(dialogs->shown.size(), 0);
}

TEST_F(ModuleLink, theModuleClosingShowsConnect)
{
    EmulatorProcess module({"--rows", "5"});
    TForm1& w = openAt(module.port());
    connectTo(w);
    module.signalAndWait(SIGTERM, std::chrono::milliseconds(kWaitMs));
    ASSERT_TRUE(waitForLog(QStringLiteral("Odpojeno")));
    EXPECT_EQ(w.btn_connect->text(), QStringLiteral("Connect"));
}

TEST_F(ModuleLink, settingsWrittenToTheModuleComeBack)
{
    EmulatorProcess module({"--rows", "5"});
    TForm1& w = openAt(module.port());
    connectTo(w);
    w.btb_loadset->click();
    ASSERT_TRUE(waitForLog(QStringLiteral("Přijem konfiurace")));

    w.set_ports->setCurrentIndex(1);
    w.set_interval->setCurrentIndex(4);
    w.set_t1min->setValue(-40);
    w.set_t4max->setValue(40);
    w.set_t2min->setValue(-7);
    w.btn_saveset->click();
    // Disturb the controls, then read the module's values back.
    w.set_ports->setCurrentIndex(3);
    w.set_interval->setCurrentIndex(0);
    for (QSpinBox* s : {w.set_t1min, w.set_t4max, w.set_t2min})
        s->setValue(0);
    w.btb_loadset->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return log().count(QStringLiteral("Přijem konfiurace")) == 2; }, kWaitMs));
    EXPECT_EQ(w.set_ports->currentText(), QStringLiteral("2"));
    EXPECT_EQ(w.set_interval->currentText(), QStringLiteral("30 s"));
    EXPECT_EQ(w.set_t1min->value(), -40);
    EXPECT_EQ(w.set_t4max->value(), 40);
    EXPECT_EQ(w.set_t2min->value(), -7);
    const QStringList lines = log();
    EXPECT_TRUE(lines.contains(QStringLiteral("Odeslán požadavek (0xE5)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Odeslán požadavek (0xE6)")));
}

TEST_F(ModuleLink, savingSettingsPutsEighteenBytesOnTheWire)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    TForm1& w = openAt(server.serverPort());
    w.btn_connect->click();
    ASSERT_TRUE(server.waitForNewConnection(kWaitMs));
    QTcpSocket* peer = server.nextPendingConnection();
    ASSERT_TRUE(waitForLog(QStringLiteral("Připojeno")));

    w.set_date->setDate(QDate(2008, 4, 30));
    w.set_time->setTime(QTime(13, 39, 53));
    w.set_ports->setCurrentIndex(3);
    w.set_interval->setCurrentIndex(2);
    w.set_t1min->setValue(-40);
    w.set_t4max->setValue(40);
    w.btn_saveset->click();
    QByteArray bytes;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            bytes += peer->readAll();
            return bytes.size() >= 18;
        },
        kWaitMs));
    const QByteArray expected("\xE6\x1E\x04\x08\x0D\x27\x35\x04\x0F\xD8\x00\x00\x00\x00\x00\x00\x28\xE7", 18);
    EXPECT_EQ(bytes.toHex(' '), expected.toHex(' '));
}

TEST_F(ModuleLink, withoutConnectionDownloadDoesNothingButSettingsRequestsAreLogged)
{
    TForm1& w = openAt(1);
    w.btn_receive->click();
    w.btb_loadset->click();
    w.btn_saveset->click();
    EXPECT_EQ(log(), (QStringList{"Odeslán požadavek (0xE5)", "Odeslán požadavek (0xE6)"}));
}

} // namespace
