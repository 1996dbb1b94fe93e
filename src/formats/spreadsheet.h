// Spreadsheets as tables of text: the first sheet of an Excel workbook (.xlsx) or of an
// OpenDocument spreadsheet (.ods), and the rows of a CSV text. Every cell is text in
// Windows-1252, a character the code page cannot hold kept as an escape (base/codec.h); a number
// cell gives its stored value, never the text a sheet shows for it, a whole number as its digits
// ("201203041234", not "2,01203E+11").
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pelora {

using Table = std::vector<std::vector<std::string>>;

// Whether the bytes are a zip archive, the container of both workbook formats.
bool isArchive(const std::string& bytes);

// The first sheet of an .xlsx or .ods workbook; nothing where the archive is damaged or holds
// neither. Rows and columns keep their places: an empty row or cell between others stays empty.
std::optional<Table> readWorkbook(const std::string& bytes);

// The rows of a CSV text. The separator is ";" or ",", whichever the first non-empty line holds
// more of outside quotes (";" when equal). A field in double quotes may hold separators, line
// breaks and doubled quotes. As in a workbook, at most 10000 rows and 200 columns are read.
Table readCsv(const std::string& text);

}  // namespace pelora
