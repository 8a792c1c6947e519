#include "formfixture.h"

#include "app/colorbox.h"
#include "app/programsettings.h"

#include <QFile>
#include <QLineEdit>
#include <sys/stat.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct StartCase {
    const char* name;
    const char* fileText; // nullptr: no file
    const char* address;
    int color;
};

// Test names carry the case name; gtest need not print the bytes of a case.
void PrintTo(const StartCase& c, std::ostream* os)
{
    *os << c.name;
}


class SettingsAtStart : public FormFixture, public ::testing::WithParamInterface<StartCase> {};

TEST_P(SettingsAtStart, startShowsWhatTheFileHolds)
{
    const StartCase& c = GetParam();
    if (c.fileText)
        writeFile(iniPath(), c.fileText);
    TForm1& w = open();
    EXPECT_EQ(w.edt_ip->text(), QString::fromUtf8(c.address));
    EXPECT_EQ(w.ColorBox->selectedCode(), c.color);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsAtStart,
    ::testing::Values(
        StartCase{"NoFile", nullptr, "127.0.0.1", 255},
        StartCase{"Blue", "[Settings]\r\nIPAddress=192.168.1.20\r\nGraphColor=16711680\r\n", "192.168.1.20", 16711680},
        StartCase{"SystemColor", "[Settings]\nGraphColor=-2147483633\n", "127.0.0.1", -2147483633},
        StartCase{"EmptyAddress", "[Settings]\r\nIPAddress=\r\n", "", 255},
        StartCase{"ColorNoNumber", "[Settings]\r\nGraphColor=red\r\n", "127.0.0.1", 255},
        StartCase{"ColorBeyond32Bits", "[Settings]\r\nGraphColor=4294967296\r\n", "127.0.0.1", 255},
        StartCase{"OtherSectionOnly", "[Other]\r\nIPAddress=1.1.1.1\r\n", "127.0.0.1", 255},
        StartCase{"CustomColor", "[Settings]\r\nGraphColor=1193046\r\n", "127.0.0.1", 1193046},
        StartCase{"Binary", "\x01\x02\xff\xfe[Set\x00tings]\n\x80GraphColor=\x90", "127.0.0.1", 255}),
    [](const auto& info) { return std::string(info.param.name); });

class SettingsFile : public FormFixture {};

TEST_F(SettingsFile, addressAndColorSurviveARestartAndForeignLinesAreKept)
{
    writeFile(iniPath(), "[Window]\r\nLeft=10\r\n\r\n[Settings]\r\nIPAddress=1.2.3.4\r\nExtra=yes\r\n");
    TForm1& w = open();
    w.edt_ip->setText(QStringLiteral("10.0.0.7"));
    w.ColorBox->selectCode(16711680);
    destroy();
    const QByteArray text = readFile(iniPath());
    EXPECT_TRUE(text.contains("[Window]\r\nLeft=10\r\n"));
    EXPECT_TRUE(text.contains("IPAddress=10.0.0.7\r\n"));
    EXPECT_TRUE(text.contains("GraphColor=16711680\r\n"));
    EXPECT_TRUE(text.contains("Extra=yes\r\n"));

    TForm1& again = open();
    EXPECT_EQ(again.edt_ip->text(), QStringLiteral("10.0.0.7"));
    EXPECT_EQ(again.ColorBox->selectedCode(), 16711680);
}

TEST_F(SettingsFile, systemAndCustomColorsAreWrittenBackUnchanged)
{
    for (int code : {-2147483633, 1193046}) {
        open().ColorBox->selectCode(code);
        destroy();
        EXPECT_TRUE(readFile(iniPath()).contains("GraphColor=" + QByteArray::number(code) + "\r\n"));
        EXPECT_EQ(open().ColorBox->selectedCode(), code);
        destroy();
    }
}

TEST_F(SettingsFile, anotherExecutableNameHasItsOwnFile)
{
    writeFile(iniPath(), "[Settings]\r\nIPAddress=1.2.3.4\r\n");
    TForm1& copy = open(QStringLiteral("kestrova-copy"));
    EXPECT_EQ(copy.edt_ip->text(), QStringLiteral("127.0.0.1"));
    destroy();
    EXPECT_TRUE(QFile::exists(iniPath(QStringLiteral("kestrova-copy"))));
    EXPECT_EQ(settingsPathFor(QStringLiteral("/opt/k/Kestrova.exe")), QStringLiteral("/opt/k/Kestrova.ini"));
}

TEST_F(SettingsFile, aFailedWriteShowsTheErrorBox)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    open();
    ASSERT_EQ(chmod(dir.path().toLocal8Bit().constData(), 0500), 0);
    destroy();
    chmod(dir.path().toLocal8Bit().constData(), 0700);
    EXPECT_EQ(dialogs->count("error"), 1);
}

TEST_F(SettingsFile, aWriteThatCannotReplaceTheFileShowsTheErrorBox)
{
    // A folder where the settings file should be: it can be neither read nor replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("kestrova.ini")));
    open();
    destroy();
    ASSERT_EQ(dialogs->count("error"), 1);
    EXPECT_TRUE(dialogs->shown[0].text.contains(QStringLiteral("kestrova.ini")));
}

} // namespace

namespace {

TEST_F(SettingsFile, aHugeFileStartsWithDefaultsAndIsNotOverwritten)
{
    QByteArray huge("[Settings]\r\nIPAddress=10.9.8.7\r\n");
    huge.append(QByteArray(2 << 20, 'x'));
    writeFile(iniPath(), huge);
    TForm1& w = open();
    EXPECT_EQ(w.edt_ip->text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(w.ColorBox->selectedCode(), 255);
    destroy();
    EXPECT_EQ(dialogs->count("error"), 1);
    EXPECT_EQ(readFile(iniPath()), huge);
}

} // namespace
