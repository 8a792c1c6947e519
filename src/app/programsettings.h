#pragma once

#include <QString>
#include <cstdint>

// The two values the program keeps between runs, in an INI file beside the
// executable: same folder and base name, extension ".ini".
struct ProgramSettings {
    static constexpr std::int32_t kDefaultColor = 255;
    static inline const QString kDefaultAddress = QStringLiteral("127.0.0.1");

    QString address = kDefaultAddress;
    std::int32_t graphColor = kDefaultColor;
};

QString settingsPathFor(const QString& executablePath);

// Missing file, section or key gives the defaults; a "GraphColor" that is no
// 32-bit integer gives 255; a present but empty "IPAddress" stays empty.
ProgramSettings readProgramSettings(const QString& iniPath);

// Writes both keys and keeps every other line of the file. Throws
// std::runtime_error with a message for the user when the file cannot be written.
void writeProgramSettings(const QString& iniPath, const ProgramSettings& settings);
