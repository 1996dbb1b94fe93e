// The lists out to a spreadsheet: a sheet of the pupils with their groups, one of the groups, and
// one per group with its members; written as an .xlsx workbook, or the pupils' sheet alone as
// CSV for programs that take only that. Texts are Windows-1252 here, a name's escapes included,
// and UTF-8 in the files, each name as written.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/model.h"

namespace pelora {

struct Sheet {
    std::string name;                            // as the workbook may hold it
    std::vector<std::vector<std::string>> rows;  // the first the header
};

// The sheets of the work: "Elever" (class, name, and per period the group and the rank of the
// wish it met), "Grupper" (group, period, staff, capacity, members), then one per group.
std::vector<Sheet> exportSheets(const Work& work);

// A sheet's name as a workbook allows it: at most 31 characters, none of : \ / ? * [ ], not
// empty, and unlike every name in `taken` (compared without case), with a number added where
// needed. The name is added to `taken`.
std::string sheetName(const std::string& wanted, std::vector<std::string>& taken);

// Writes the sheets as an .xlsx workbook to `path`: a frozen header row, columns as wide as their
// longest text, an autofilter; a whole number is written as a number. False when it fails.
bool writeWorkbook(const std::filesystem::path& path, const std::vector<Sheet>& sheets);

// The bytes of that workbook. The library writes only to files: it is written in the system's
// folder for temporary files and read back from there. Nothing when that fails.
std::optional<std::string> workbookBytes(const std::vector<Sheet>& sheets);

// The sheet as CSV: UTF-8 with a byte order mark, ";" between fields, CR LF after each row, a
// field in double quotes where it holds ";", a quote or a line break.
std::string csvBytes(const Sheet& sheet);

}  // namespace pelora
