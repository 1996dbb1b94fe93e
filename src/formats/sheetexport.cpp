#include "formats/sheetexport.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

#include "base/codec.h"
#include "base/files.h"
#include "base/numbers.h"
#include "base/text.h"

namespace pelora {

namespace {

constexpr std::size_t kLongestSheetName = 31;

// A text of digits alone, short enough to be a number a spreadsheet holds exactly.
bool wholeNumber(const std::string& text) {
    return !text.empty() && text.size() <= 15 && (text == "0" || text.front() != '0') &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string periodText(const Work& work, int g) {
    const int p = groupPeriod(work, g);
    return p > 0 ? plainNumber(p) : work.groupTable[g].periodText;
}

Sheet pupilsSheet(const Work& work) {
    const int periods = std::min(work.start.periodCount, MaxPeriods);
    Sheet sheet{"Elever", {{"Klass", "Namn"}}};
    for (int p = 1; p <= periods; ++p) {
        const std::string period = periods > 1 ? " period " + plainNumber(p) : std::string();
        sheet.rows[0].push_back("Grupp" + period);
        sheet.rows[0].push_back("Önskemål"_cp + period);
    }
    for (int i = 1; i <= work.studentCount; ++i) {
        const Student& pupil = work.studentTable[i];
        std::vector<std::string> row = {pupil.className, pupil.name};
        for (int p = 1; p <= periods; ++p) {
            const int g = work.placement[p][i];
            const bool placed = g > 0 && g <= work.groupCount;
            const int rank = placed ? wishRank(pupil.wishes, work.groupTable[g].name) : 0;
            row.push_back(placed ? work.groupTable[g].name : std::string());
            row.push_back(rank > 0 ? plainNumber(rank) : std::string());
        }
        sheet.rows.push_back(std::move(row));
    }
    return sheet;
}

Sheet groupsSheet(const Work& work) {
    Sheet sheet{"Grupper", {{"Grupp", "Period", "Personal", "Max antal", "Antal elever"}}};
    for (int g = 1; g <= work.groupCount; ++g) {
        const Group& group = work.groupTable[g];
        sheet.rows.push_back({group.name, periodText(work, g), group.staff, group.maxText,
                              plainNumber(work.groupMemberCount[g])});
    }
    return sheet;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(";\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

std::string sheetName(const std::string& wanted, std::vector<std::string>& taken) {
    std::string name;
    for (char c : wanted)
        name += std::string(":\\/?*[]").find(c) == std::string::npos ? c : '-';
    name = trimBlanks(name);
    if (name.empty()) name = "Grupp";
    const auto isTaken = [&taken](const std::string& candidate) {
        return std::any_of(taken.begin(), taken.end(), [&](const std::string& other) {
            return upperCp1252(other) == upperCp1252(candidate);
        });
    };
    std::string chosen = name.substr(0, kLongestSheetName);
    for (int n = 2; isTaken(chosen); ++n) {
        const std::string number = " (" + plainNumber(n) + ")";
        chosen = name.substr(0, kLongestSheetName - number.size()) + number;
    }
    taken.push_back(chosen);
    return chosen;
}

std::vector<Sheet> exportSheets(const Work& work) {
    std::vector<Sheet> sheets = {pupilsSheet(work), groupsSheet(work)};
    std::vector<std::string> taken = {"Elever", "Grupper"};
    for (int g = 1; g <= work.groupCount; ++g) {
        Sheet members{sheetName(work.groupTable[g].name, taken), {{"Klass", "Namn"}}};
        const int p = groupPeriod(work, g);
        for (int i = 1; p > 0 && i <= work.studentCount; ++i) {
            if (work.placement[p][i] == g)
                members.rows.push_back({work.studentTable[i].className, work.studentTable[i].name});
        }
        sheets.push_back(std::move(members));
    }
    return sheets;
}

bool writeWorkbook(const std::filesystem::path& path, const std::vector<Sheet>& sheets) {
    lxw_workbook* workbook = workbook_new(utf8Path(path).c_str());
    if (workbook == nullptr) return false;
    lxw_format* header = workbook_add_format(workbook);
    format_set_bold(header);
    bool written = true;
    for (const Sheet& sheet : sheets) {
        lxw_worksheet* page = workbook_add_worksheet(workbook, cp1252ToUtf8(sheet.name).c_str());
        if (page == nullptr) {
            written = false;
            break;
        }
        std::vector<std::size_t> widths;
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            const std::vector<std::string>& row = sheet.rows[r];
            widths.resize(std::max(widths.size(), row.size()), 0);
            for (std::size_t c = 0; c < row.size(); ++c) {
                widths[c] = std::max(widths[c], characterCount(row[c]));
                const auto at = static_cast<lxw_row_t>(r);
                const auto column = static_cast<lxw_col_t>(c);
                if (r > 0 && wholeNumber(row[c])) {
                    worksheet_write_number(page, at, column, std::strtod(row[c].c_str(), nullptr),
                                           nullptr);
                } else if (!row[c].empty()) {
                    worksheet_write_string(page, at, column, asUtf8(row[c]).c_str(),
                                           r == 0 ? header : nullptr);
                }
            }
        }
        for (std::size_t c = 0; c < widths.size(); ++c) {
            worksheet_set_column(page, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                 static_cast<double>(std::min<std::size_t>(widths[c], 60) + 2),
                                 nullptr);
        }
        worksheet_freeze_panes(page, 1, 0);
        if (!widths.empty()) {
            worksheet_autofilter(page, 0, 0, static_cast<lxw_row_t>(sheet.rows.size() - 1),
                                 static_cast<lxw_col_t>(widths.size() - 1));
        }
    }
    return workbook_close(workbook) == LXW_NO_ERROR && written;
}

std::optional<std::string> workbookBytes(const std::vector<Sheet>& sheets) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) return std::nullopt;
    const std::filesystem::path path =
        folder / ("pelora-" + std::to_string(std::random_device()()) + ".xlsx");
    std::optional<std::string> bytes;
    if (writeWorkbook(path, sheets)) {
        std::ifstream file(path, std::ios::binary);
        bytes = std::string(std::istreambuf_iterator<char>(file), {});
        if (!file.good() && !file.eof()) bytes.reset();
    }
    std::filesystem::remove(path, error);
    return bytes;
}

std::string csvBytes(const Sheet& sheet) {
    std::string bytes = "\xEF\xBB\xBF";
    for (const std::vector<std::string>& row : sheet.rows) {
        for (std::size_t c = 0; c < row.size(); ++c)
            bytes += (c > 0 ? ";" : "") + asUtf8(csvField(row[c]));
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace pelora
