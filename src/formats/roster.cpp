#include "formats/roster.h"

#include <algorithm>
#include <sstream>

#include "base/codec.h"
#include "base/files.h"
#include "base/numbers.h"
#include "base/text.h"
#include "formats/spreadsheet.h"

namespace pelora {

namespace {

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// A cell as a field of a roster line: no TAB or line break inside, no blanks around.
std::string field(const std::vector<std::string>& row, std::optional<std::size_t> column) {
    if (!column || *column >= row.size()) return std::string();
    std::string text = row[*column];
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return trimBlanks(text);
}

// Where a table's rows hold the name (or the first and the last name), the identity number and
// the class.
struct Columns {
    std::optional<std::size_t> name, firstName, lastName, number, className;
};

// The columns named in the header, when the first row that holds anything is one: a row with
// any of the known headings, in any order.
std::optional<Columns> headerColumns(const std::vector<std::string>& row) {
    Columns found;
    bool any = false;
    for (std::size_t c = 0; c < row.size(); ++c) {
        const std::string heading = NormalizeUpper(row[c]);
        std::optional<std::size_t>* column = heading == "NAMN" || heading == "ELEV" ? &found.name
                                             : heading == "FÖRNAMN"_cp ? &found.firstName
                                             : heading == "EFTERNAMN"  ? &found.lastName
                                             : heading == "PERSONNUMMER" || heading == "PERSONNR"
                                                 ? &found.number
                                             : heading == "KLASS" ? &found.className
                                                                  : nullptr;
        if (column != nullptr && !*column) {
            *column = c;
            any = true;
        }
    }
    if (!any) return std::nullopt;
    return found;
}

// A table row as the line of a TAB roster, with the fields up to the last one that holds anything:
// a row of a title or a note alone reads as a line without a TAB, as it would in a text roster.
std::string rosterLine(const std::vector<std::string>& row, const Columns& columns) {
    std::string name = field(row, columns.name);
    if (!columns.name) {
        name = trimBlanks(field(row, columns.firstName) + " " + field(row, columns.lastName));
    }
    std::string number = field(row, columns.number);
    // A number cell of a pupil born 2000-2009 written without the century has lost its 0.
    if (number.size() == 9 &&
        std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        number = "0" + number;
    }
    std::vector<std::string> fields = {name, number, field(row, columns.className)};
    while (!fields.empty() && fields.back().empty())
        fields.pop_back();
    std::string line;
    for (std::size_t k = 0; k < fields.size(); ++k)
        line += (k > 0 ? "\t" : "") + fields[k];
    return line;
}

// The lines of a roster read from a table, one a row, the header row an empty one. The missing
// column of a header is named.
std::vector<std::string> tableLines(const Table& table, std::string& missing) {
    std::vector<std::string> lines;
    std::optional<Columns> columns;
    for (const std::vector<std::string>& row : table) {
        const bool empty = std::all_of(row.begin(), row.end(), [](const std::string& cell) {
            return trimBlanks(cell).empty();
        });
        if (!columns && !empty) {
            columns = headerColumns(row);
            if (columns) {
                if (!columns->name && !columns->firstName && !columns->lastName)
                    missing = "Namn";
                else if (!columns->number)
                    missing = "Personnummer";
                else if (!columns->className)
                    missing = "Klass";
                lines.emplace_back();
                continue;
            }
            columns = Columns{0, std::nullopt, std::nullopt, 1, 2};
        }
        lines.push_back(columns ? rosterLine(row, *columns) : std::string());
    }
    return lines;
}

// A text roster is a TAB roster when any of its first lines holds a TAB; it is read by the rules
// it has always been read by, whatever else it holds.
bool tabRoster(const std::vector<std::string>& lines) {
    const std::size_t first = std::min<std::size_t>(lines.size(), 20);
    return std::any_of(
        lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(first),
        [](const std::string& line) { return line.find('\t') != std::string::npos; });
}

}  // namespace

std::string studentKey(const std::string& identityNumber) {
    std::string id = trimBlanks(identityNumber);
    if ((startsWith(id, "20") || startsWith(id, "19")) && id.size() > 8) id.erase(0, 2);
    const std::size_t hyphen = id.find('-');
    if (hyphen != std::string::npos) id.erase(hyphen, 1);
    // Built anew rather than inserted at the front: GCC 12 takes insert(0, ...) here for an
    // overlapping copy (-Wrestrict) that cannot happen.
    if (id.size() < 8) id = "0" + id;
    std::string key;
    for (std::size_t j = 2; j <= 8; j += 2) {
        const std::string pair = j - 1 < id.size() ? id.substr(j - 1, 2) : std::string();
        // Two characters give at most 99 and at least -9 ("-9"), so the byte is 23..131.
        key.push_back(static_cast<char>(32 + numericInteger(pair)));
    }
    return key;
}

// A line by the rules a roster has always been read by, in Windows-1252 alone.
static RosterLine plainRosterLine(const std::string& line) {
    RosterLine result;
    const std::size_t tab = line.find('\t');
    // The TAB's 1-based position must be above 5: a name of at least five characters.
    if (tab == std::string::npos || tab + 1 <= 5 || line.size() <= 10) return result;

    const std::string rest = trimBlanks(line.substr(tab + 1));
    const std::size_t tab2 = rest.find('\t');
    if (tab2 == std::string::npos) {
        result.kind = RosterLine::Kind::BadFormat;
        return result;
    }
    result.kind = RosterLine::Kind::Pupil;
    result.name = trimBlanks(line.substr(0, tab));
    result.identity = trimBlanks(rest.substr(0, tab2));
    result.key = studentKey(result.identity);
    result.className = NormalizeUpper(rest.substr(tab2 + 1));
    return result;
}

RosterLine parseRosterLine(const std::string& written) {
    // The line's rules, the key and the class read its plain form, as they always have; only the
    // name keeps the characters the code page cannot hold. An escape holds no TAB and no blank,
    // so the name ends at the same TAB in both.
    RosterLine result = plainRosterLine(withoutEscapes(written));
    if (result.kind == RosterLine::Kind::Pupil)
        result.name = trimBlanks(written.substr(0, written.find('\t')));
    return result;
}

bool classInFilter(const std::string& className, const std::string& classFilter) {
    if (classFilter.empty()) return true;
    return (" " + classFilter + " ").find(" " + className + " ") != std::string::npos;
}

Roster readRoster(const std::string& bytes, const std::string& classFilter) {
    Roster roster;
    auto refuse = [&roster](Roster::Error::Kind kind, int line) {
        roster.pupils.clear();
        roster.classes.clear();
        roster.error = Roster::Error{kind, line};
        return roster;
    };

    // Spreadsheets and school systems save rosters in UTF-8 or UTF-16 as often as Windows-1252,
    // and as CSV, .xlsx and .ods as often as with TABs.
    std::vector<std::string> lines;
    std::string missing;
    if (isArchive(bytes)) {
        const std::optional<Table> sheet = readWorkbook(bytes);
        if (!sheet) return refuse(Roster::Error::Kind::NoRoster, 1);
        lines = tableLines(*sheet, missing);
    } else {
        const std::string text = textAsWritten(bytes);
        lines = splitLines(text);
        if (!tabRoster(lines)) lines = tableLines(readCsv(text), missing);
    }
    if (!missing.empty()) {
        refuse(Roster::Error::Kind::MissingColumn, 1);
        roster.error->column = missing;
        return roster;
    }
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const int lineNumber = static_cast<int>(k) + 1;
        RosterLine line = parseRosterLine(lines[k]);
        if (line.kind == RosterLine::Kind::Skipped) continue;
        if (line.kind == RosterLine::Kind::BadFormat) {
            return refuse(Roster::Error::Kind::BadFormat, lineNumber);
        }
        if (!classInFilter(line.className, classFilter)) continue;

        if (roster.pupils.size() == MaxStudents) {
            return refuse(Roster::Error::Kind::TooManyPupils, lineNumber);
        }
        if (std::find(roster.classes.begin(), roster.classes.end(), line.className) ==
            roster.classes.end()) {
            if (roster.classes.size() == MaxClasses) {
                return refuse(Roster::Error::Kind::TooManyClasses, lineNumber);
            }
            roster.classes.push_back(line.className);
        }
        roster.pupils.push_back({std::move(line.name), std::move(line.key),
                                 std::move(line.className), std::string(),
                                 std::move(line.identity)});
    }
    return roster;
}

std::vector<std::string> classesNotFound(const std::string& classFilter,
                                         const std::vector<std::string>& classes) {
    // A class of two words ("7 A") passes a filter holding both; each counts as found.
    std::vector<std::string> found;
    for (const std::string& className : classes) {
        std::istringstream words(className);
        for (std::string word; words >> word;)
            found.push_back(word);
    }
    std::vector<std::string> missing;
    std::istringstream words(classFilter);
    for (std::string name; words >> name;) {
        if (std::find(found.begin(), found.end(), name) == found.end() &&
            std::find(missing.begin(), missing.end(), name) == missing.end()) {
            missing.push_back(name);
        }
    }
    return missing;
}

}  // namespace pelora
