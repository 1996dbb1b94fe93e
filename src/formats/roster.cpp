#include "formats/roster.h"

#include <algorithm>
#include <sstream>

#include "base/codec.h"
#include "base/files.h"
#include "base/numbers.h"
#include "base/text.h"

namespace pelora {

namespace {

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
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

RosterLine parseRosterLine(const std::string& line) {
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
    result.key = studentKey(rest.substr(0, tab2));
    result.className = NormalizeUpper(rest.substr(tab2 + 1));
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

    // Spreadsheets and school systems save rosters in UTF-8 or UTF-16 as often as Windows-1252.
    const std::vector<std::string> lines = splitLines(textAsCp1252(bytes));
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
        roster.pupils.push_back(
            {std::move(line.name), std::move(line.key), std::move(line.className), std::string()});
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
