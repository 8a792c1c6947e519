#include "data/filebytes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstring>
#include <stdexcept>

#ifdef __linux__
#include <fcntl.h>
#endif

namespace FileBytes
{
namespace
{

// What is read at a time from a source that reports no size.
constexpr std::size_t kChunkSize = 65536;

// Less than this written since the last start is left for commit() to sync.
constexpr qint64 kWritebackStep = qint64(1) << 20;

[[noreturn]] void throwFileError(const QString& what, const QString& path, const QString& reason)
{
    throw std::runtime_error(
        QStringLiteral("%1 %2: %3").arg(what, QFileInfo(path).absoluteFilePath(), reason).toStdString());
}

} // namespace

void Contents::reserve(std::size_t capacity)
{
    if (capacity <= m_capacity)
        return;
    PopulatedMemory::Bytes bigger = PopulatedMemory::allocate(capacity);
    if (m_size > 0)
        std::memcpy(bigger.get(), m_bytes.get(), m_size);
    m_bytes = std::move(bigger);
    m_capacity = capacity;
}

Contents read(const QString& path)
{
    const QString what = QStringLiteral("Soubor nelze otev\u0159\u00edt");
    QFile file(path);
    if (QFileInfo(path).isDir())
        throwFileError(what, path, QStringLiteral("je to slo\u017eka"));
    if (!file.open(QIODevice::ReadOnly))
        throwFileError(what, path, file.errorString());
    Contents contents;
    // Read straight into the result: a large file is not held twice.
    const qint64 size = file.size();
    contents.reserve(size > 0 ? std::size_t(size) : kChunkSize);
    if (size > 0) {
        const qint64 got = file.read(reinterpret_cast<char*>(contents.m_bytes.get()), size);
        if (got < 0)
            throwFileError(what, path, file.errorString());
        contents.m_size = std::size_t(got);
    }
    // Devices and pipes report no size, and a file may have grown; read what they give.
    char chunk[kChunkSize];
    for (qint64 got; (got = file.read(chunk, sizeof chunk)) > 0;) {
        contents.reserve(std::max(2 * contents.m_capacity, contents.m_size + std::size_t(got)));
        std::memcpy(contents.m_bytes.get() + contents.m_size, chunk, std::size_t(got));
        contents.m_size += std::size_t(got);
    }
    return contents;
}

Writer::Writer(const QString& path) : m_path(path)
{
    const QFileInfo target(path);
    // Renaming a new file over a device would replace the device.
    if (target.exists() && !target.isFile() && !target.isDir())
        m_file = std::make_unique<QFile>(path);
    else
        m_file = std::make_unique<QSaveFile>(path);
    if (!m_file->open(QIODevice::WriteOnly))
        fail();
}

Writer::~Writer() = default;

void Writer::append(std::string_view bytes)
{
    if (m_file->write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        fail();
    m_written += qint64(bytes.size());
    startWriteback();
}

// The disk starts on what is written while the rest is still being built, so
// that the sync of commit() waits only for the tail. commit() stays the
// guarantee: failures here are left for it to report.
void Writer::startWriteback()
{
#ifdef __linux__
    if (!qobject_cast<QSaveFile*>(m_file.get()) || m_written - m_writebackStarted < kWritebackStep)
        return;
    if (!m_file->flush())
        fail();
    ::sync_file_range(m_file->handle(), m_writebackStarted, m_written - m_writebackStarted,
                      SYNC_FILE_RANGE_WRITE);
    m_writebackStarted = m_written;
#endif
}

void Writer::commit()
{
    if (auto* saveFile = qobject_cast<QSaveFile*>(m_file.get())) {
        if (!saveFile->commit())
            fail();
        return;
    }
    if (!m_file->flush())
        fail();
    m_file->close();
}

void Writer::fail()
{
    const QString reason = m_file->errorString();
    if (auto* saveFile = qobject_cast<QSaveFile*>(m_file.get()))
        saveFile->cancelWriting();
    throwFileError(QStringLiteral("Soubor nelze ulo\u017eit"), m_path, reason);
}

void write(const QString& path, std::string_view bytes)
{
    Writer writer(path);
    writer.append(bytes);
    writer.commit();
}

} // namespace FileBytes
