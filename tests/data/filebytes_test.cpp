#include "data/filebytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace
{

// About 5 MB in pieces of very different sizes, some far past a megabyte.
std::vector<std::string> pieces()
{
    std::vector<std::string> result;
    std::size_t total = 0;
    for (std::size_t size : {std::size_t(1), std::size_t(700) << 10, (std::size_t(1) << 20) + 3,
                             std::size_t(17), std::size_t(3) << 20, std::size_t(5)}) {
        std::string piece;
        for (std::size_t i = 0; i < size; ++i)
            piece.push_back(char((total + i) * 7 % 251));
        total += size;
        result.push_back(std::move(piece));
    }
    return result;
}

std::string joined(const std::vector<std::string>& parts)
{
    std::string all;
    for (const auto& part : parts)
        all += part;
    return all;
}

// A file "saved.csv" with old contents, and a writer fed the pieces.
class FileBytesWriter : public ::testing::Test
{
  protected:
    void SetUp() override { FileBytes::write(path, "old contents"); }

    void appendPieces(FileBytes::Writer& writer) const
    {
        for (const auto& piece : written)
            writer.append(piece);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.csv"));
    const std::vector<std::string> written = pieces();
};

TEST_F(FileBytesWriter, replacesTheFileWithEveryPieceOnCommit)
{
    FileBytes::Writer writer(path);
    appendPieces(writer);
    writer.commit();
    EXPECT_TRUE(FileBytes::read(path).view() == joined(written));
}

TEST_F(FileBytesWriter, droppedWithoutCommitLeavesTheOldFileAlone)
{
    {
        FileBytes::Writer writer(path);
        appendPieces(writer);
    }
    EXPECT_EQ(FileBytes::read(path).view(), "old contents");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("saved.csv")});
}

TEST(FileBytes, readTakesWhatAPipeGivesAndAnEmptyFile)
{
    QTemporaryDir dir;
    // A pipe reports no size: its bytes are read until the writer closes it,
    // past the first piece of the buffer.
    const QString pipe = dir.filePath(QStringLiteral("pipe.csv"));
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    const std::string sent = joined(pieces()).substr(0, 300'000);
    std::thread writer([&] {
        std::ofstream out(pipe.toStdString(), std::ios::binary);
        out << sent;
    });
    const FileBytes::Contents received = FileBytes::read(pipe);
    writer.join();
    EXPECT_TRUE(received.view() == sent);

    const QString empty = dir.filePath(QStringLiteral("empty.csv"));
    FileBytes::write(empty, "");
    EXPECT_TRUE(FileBytes::read(empty).view().empty());
}

} // namespace
