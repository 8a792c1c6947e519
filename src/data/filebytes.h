#pragma once

#include <QString>
#include <string>
#include <string_view>

// Whole-file reads and writes for the measurement file and the export.
// Both throw std::runtime_error with a message for the user.
namespace FileBytes {

std::string read(const QString& path);
// Replaces the file only once everything is written: a write that fails
// leaves an existing file of that name as it was.
void write(const QString& path, std::string_view bytes);

} // namespace FileBytes
