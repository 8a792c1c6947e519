#include "data/filebytes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <stdexcept>

namespace FileBytes {
namespace {

[[noreturn]] void fail(const QString& what, const QString& path, const QString& reason)
{
    throw std::runtime_error(
        QStringLiteral("%1 %2: %3").arg(what, QFileInfo(path).absoluteFilePath(), reason).toStdString());
}

} // namespace

std::string read(const QString& path)
{
    const QString what = QStringLiteral("Soubor nelze otev\u0159\u00edt");
    QFile file(path);
    if (QFileInfo(path).isDir())
        fail(what, path, QStringLiteral("je to slo\u017eka"));
    if (!file.open(QIODevice::ReadOnly))
        fail(what, path, file.errorString());
    std::string bytes;
    // Read straight into the result: a large log is not held twice.
    const qint64 size = file.size();
    if (size > 0) {
        bytes.resize(std::size_t(size));
        const qint64 got = file.read(bytes.data(), size);
        if (got < 0)
            fail(what, path, file.errorString());
        bytes.resize(std::size_t(got));
    }
    // Devices and pipes report no size; read what they give.
    char chunk[65536];
    for (qint64 got; (got = file.read(chunk, sizeof chunk)) > 0;)
        bytes.append(chunk, std::size_t(got));
    return bytes;
}

void write(const QString& path, std::string_view bytes)
{
    const QString what = QStringLiteral("Soubor nelze ulo\u017eit");
    const QFileInfo target(path);
    // A device or pipe is written in place: renaming a new file over it would replace the device.
    if (target.exists() && !target.isFile() && !target.isDir()) {
        QFile device(path);
        if (!device.open(QIODevice::WriteOnly) || device.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) ||
            !device.flush())
            fail(what, path, device.errorString());
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(what, path, file.errorString());
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !file.commit())
        fail(what, path, file.errorString());
}

} // namespace FileBytes
