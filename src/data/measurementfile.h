#pragma once

#include <functional>
#include <string>
#include <string_view>

class MeasurementTable;

// The measurement file: one line per table row from row 0, every cell's text
// followed by ';', every line followed by CR LF, bytes written as the table
// holds them. Saving and the spreadsheet export both write serialize().
namespace MeasurementFile
{

std::string serialize(const MeasurementTable& table);
// The same bytes, handed to write in pieces of about a megabyte.
void serialize(const MeasurementTable& table, const std::function<void(std::string_view)>& write);

// Lines end at CR LF, LF or CR; a break at the very end adds no line. Field k
// of line i goes into cell (k, i); text after a line's last ';' is dropped and
// cells that no field reaches keep their texts. The row count and its base
// become the number of lines (at least 1); the receive cursor stays.
void load(MeasurementTable& table, std::string_view fileBytes);

} // namespace MeasurementFile
