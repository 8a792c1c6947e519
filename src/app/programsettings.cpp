#include "app/programsettings.h"

#include "app/inifile.h"
#include "data/cp1250.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>
#include <stdexcept>

namespace {

constexpr std::string_view kSection = "Settings";
constexpr std::string_view kAddressKey = "IPAddress";
constexpr std::string_view kColorKey = "GraphColor";
// A settings file is a few lines; anything larger is not ours to parse.
constexpr qint64 kMaxSettingsFileSize = 1 << 20;

// Nothing when the file is missing; no value when it exists but cannot be read
// (too large, no permission, a folder).
std::optional<std::string> readBytes(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return std::string();
    if (file.size() > kMaxSettingsFileSize || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxSettingsFileSize);
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

[[noreturn]] void throwWriteError(const QString& iniPath, const QString& reason)
{
    throw std::runtime_error(QStringLiteral("Nastaven\u00ed programu nelze zapsat do souboru %1: %2")
                                 .arg(QFileInfo(iniPath).absoluteFilePath(), reason)
                                 .toStdString());
}

std::string toCp1250(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return Cp1250::fromUtf8(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

QString fromCp1250(std::string_view bytes)
{
    return QString::fromStdString(Cp1250::toUtf8(bytes));
}

} // namespace

QString settingsPathFor(const QString& executablePath)
{
    const QFileInfo info(executablePath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".ini"));
}

ProgramSettings readProgramSettings(const QString& iniPath)
{
    const IniFile ini(readBytes(iniPath).value_or(std::string()));
    ProgramSettings settings;
    if (auto address = ini.readString(kSection, kAddressKey))
        settings.address = fromCp1250(*address);
    settings.graphColor = ini.readInteger(kSection, kColorKey, ProgramSettings::kDefaultColor);
    return settings;
}

void writeProgramSettings(const QString& iniPath, const ProgramSettings& settings)
{
    // A file that exists but cannot be read is not replaced: its other lines would be lost.
    const auto existing = readBytes(iniPath);
    if (!existing)
        throwWriteError(iniPath, QStringLiteral("st\u00e1vaj\u00edc\u00ed soubor nelze p\u0159e\u010d\u00edst"));
    IniFile ini(*existing);
    ini.writeString(kSection, kAddressKey, toCp1250(settings.address));
    ini.writeInteger(kSection, kColorKey, settings.graphColor);
    const std::string text = ini.text();

    QSaveFile file(iniPath);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), qint64(text.size())) != qint64(text.size()) ||
        !file.commit())
        throwWriteError(iniPath, file.errorString());
}
