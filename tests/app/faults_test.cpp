// The window against a module that misbehaves: whatever it does, the program
// keeps working, loses no row it already showed, and connects again afterwards.
#include "formfixture.h"

#include "../tools/emulatorprocess.h"
#include "app/statuslog.h"
#include "data/measurementfile.h"
#include "link/clientsocket.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

constexpr int kWaitMs = 20000;
constexpr int kRows = 100;
const std::string kClock = "30.04.08 13:39:53";

std::vector<std::string> emulatorArgs(std::vector<std::string> extra)
{
    std::vector<std::string> args{"--rows", std::to_string(kRows), "--clock", kClock};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

// The longest time the event loop went without running a 10 ms timer.
class StallMeter {
public:
    StallMeter()
    {
        m_clock.start();
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_clock.restart());
        });
        m_timer.start(10);
    }
    qint64 longestMs() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

struct FaultCase {
    const char* name;
    std::vector<std::string> switches;
    // What the log shows once the fault has happened (empty: wait for the table instead).
    const char* logLine;
    // Data rows the table shows afterwards: -1 for "not checked".
    int shownRows;
    // The first shown data row that equals the reference's row 1.
    int firstReferenceRow;
    // Log bytes that show the fault has arrived (0: not needed).
    std::size_t logBytes = 0;
};

// Test names carry the case name; gtest need not print the bytes of a case.
void PrintTo(const FaultCase& c, std::ostream* os)
{
    *os << c.name;
}


class Faults : public FormFixture, public ::testing::WithParamInterface<FaultCase> {
protected:
    void connectAndDownload(int port)
    {
        form->environment().modulePort = port;
        if (form->ClientSocket->isActive())
            form->btn_connect->click();
        const auto before = log().count(QStringLiteral("Připojeno"));
        form->btn_connect->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return log().count(QStringLiteral("Připojeno")) > before; }, kWaitMs));
        form->btn_receive->click();
    }

    static std::string referenceRow(const MeasurementTable& table, int row)
    {
        std::string text;
        for (auto cell : table.row(row))
            text.append(cell).push_back(';');
        return text;
    }

    MeasurementTable referenceTable()
    {
        EmulatorProcess module(emulatorArgs({}));
        auto reference = std::make_unique<TForm1>(FormEnvironment{exePath("reference"), dialogs, shell, module.port()});
        reference->btn_connect->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return reference->ClientSocket->isActive(); }, kWaitMs));
        reference->btn_receive->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return reference->table().rowCount() == kRows + 1; }, kWaitMs));
        MeasurementTable copy;
        MeasurementFile::load(copy, MeasurementFile::serialize(reference->table()));
        return copy;
    }
};

TEST_P(Faults, theProgramKeepsWorkingAndLosesNothing)
{
    const FaultCase& c = GetParam();
    const MeasurementTable reference = referenceTable();
    TForm1& w = open();
    StallMeter stalls;

    EmulatorProcess faulty(emulatorArgs(c.switches));
    ASSERT_NE(faulty.port(), 0);
    connectAndDownload(faulty.port());
    if (c.logBytes)
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.Memo1->store().byteCount() >= c.logBytes; }, kWaitMs));
    else if (*c.logLine)
        ASSERT_TRUE(QTest::qWaitFor([&] { return log().contains(QString::fromUtf8(c.logLine)); }, kWaitMs));
    else
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.table().rowCount() == c.shownRows + 1; }, kWaitMs));
    QTest::qWait(50);

    if (c.shownRows >= 0) {
        ASSERT_EQ(w.table().rowCount(), c.shownRows + 1);
        for (int row = c.firstReferenceRow; row <= c.shownRows; ++row)
            ASSERT_EQ(referenceRow(w.table(), row), referenceRow(reference, row - c.firstReferenceRow + 1))
                << "row " << row;
        // A save made now holds every shown row.
        const QString saved = dir.filePath(QStringLiteral("after-fault.csv"));
        dialogs->fileNames = {saved};
        w.btn_save->click();
        MeasurementTable reopened;
        QFile file(saved);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        MeasurementFile::load(reopened, std::string_view(bytes.constData(), std::size_t(bytes.size())));
        ASSERT_EQ(reopened.rowCount(), c.shownRows + 1);
        for (int row = 1; row <= c.shownRows; ++row)
            ASSERT_EQ(referenceRow(reopened, row), referenceRow(w.table(), row));
    }
    EXPECT_EQ(dialogs->shown.size(), 0);

    // A new connection to a sound module and a download work afterwards.
    EmulatorProcess sound(emulatorArgs({}));
    connectAndDownload(sound.port());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.table().rowCount() == kRows + 1; }, kWaitMs));
    EXPECT_EQ(MeasurementFile::serialize(w.table()), MeasurementFile::serialize(reference));
    EXPECT_LT(stalls.longestMs(), 2000) << "the window froze";
}

INSTANTIATE_TEST_SUITE_P(
    Module, Faults,
    ::testing::Values(
        // 40 complete rows then half a row: the row-count rule shows 39, the 40th waits for its successor.
        FaultCase{"resetMidRow", {"--fault", "reset-mid-row", "--cut-after", "40"}, "Socket error: 10054", 39, 1},
        FaultCase{"closeMidRow", {"--fault", "close-mid-row", "--cut-after", "40"}, "Odpojeno", 39, 1},
        FaultCase{"oneBytePerEvent", {"--chunk", "1", "--pause", "0"}, "", kRows, 1},
        // No line feed arrives: the table keeps the download's empty first row.
        FaultCase{"tenMegabyteRow", {"--fault", "long-row"}, "", 1, 2, 10u << 20},
        FaultCase{"millionSeparators", {"--fault", "many-separators"}, "", kRows + 1, 2},
        FaultCase{"e9FirstInData", {"--fault", "e9-first"}, "Přijem konfiurace", -1, 0},
        FaultCase{"neverAnswers", {"--fault", "silent"}, "Odeslán požadavek (0xE0)", 1, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Faults, aModuleThatStopsReadingDoesNotFreezeTheWindow)
{
    TForm1& w = open();
    StallMeter stalls;
    EmulatorProcess deaf(emulatorArgs({"--fault", "no-read"}));
    w.environment().modulePort = deaf.port();
    w.btn_connect->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.ClientSocket->isActive(); }, kWaitMs));
    // Far more than the kernel's buffers and the adapter's queue take.
    const std::vector<char> block(64 * 1024, '\xE6');
    int sent = 0;
    for (int i = 0; i < 400 && w.ClientSocket->isActive(); ++i) {
        sent += std::max(0, w.ClientSocket->sendBuf(block.data(), int(block.size())));
        w.btn_saveset->click();
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return log().contains(QStringLiteral("Socket error: 10055")); }, kWaitMs));
    EXPECT_EQ(dialogs->shown.size(), 0);
    EXPECT_LT(stalls.longestMs(), 2000);
    w.btn_connect->click();
    EXPECT_FALSE(w.ClientSocket->isActive());
}

} // namespace
