#include "formats/workfile.h"

#include <algorithm>
#include <cmath>

#include "base/codec.h"
#include "base/files.h"
#include "base/numbers.h"
#include "base/text.h"

namespace pelora {

namespace {

struct LinePrefix {
    WorkLine kind;
    std::string text;
};

const std::vector<LinePrefix>& linePrefixes() {
    // Converted first: clang 14 cannot take the literal inside the braces.
    static const std::string ignoreWishes = "EJ ÖNSKEMÅL:"_cp;
    static const std::vector<LinePrefix> table = {
        {WorkLine::Activity, "AKTIVITET:"},
        {WorkLine::School, "SKOLA:"},
        {WorkLine::PeriodLabel, "PERIOD:"},
        {WorkLine::Classes, "KLASSER:"},
        {WorkLine::StudentList, "ELEVLISTA:"},
        {WorkLine::PeriodCount, "ANTAL PERIODER:"},
        {WorkLine::ShowAllPeriods, "VISA ALLA PERIODER:"},
        {WorkLine::IgnoreWishes, ignoreWishes},
        {WorkLine::Groups, "GRUPPER:"},
    };
    return table;
}

// A board position as read; a number too large to hold puts the label in the corner instead.
double boardPosition(const std::string& text) {
    const double value = NumericValue(text);
    return std::isfinite(value) ? value : 0.0;
}

}  // namespace

std::string joinWishes(const std::string& wishes) {
    // Clean lines have no blanks next to a line break, so joining them trims nothing more.
    return replaceAll(CleanLines(wishes), CRLF, "//");
}

std::string groupLine(const Group& group) {
    return group.name + "," + group.staff + "," + group.maxText + "," + group.comment + ", " +
           fileNumber(group.boardLeft) + ", " + fileNumber(group.boardTop) + "," + group.periodText;
}

std::string pupilLine(const Work& work, int i) {
    const Student& pupil = work.studentTable[i];
    std::string line = pupil.key + ", " + joinWishes(pupil.wishes) + "\t";
    for (int p = 1; p <= work.start.periodCount; ++p) {
        if (p > 1) line += ",";
        line += fileNumber(static_cast<int>(work.placement[p][i]));
    }
    return line;
}

std::string workFileBytes(const Work& work) {
    const StartData& start = work.start;
    std::string out;
    auto line = [&out](const std::string& text) {
        out += text;
        out += CRLF;
    };
    line("AKTIVITET: " + start.activity);
    line("SKOLA: " + start.school);
    line("PERIOD: " + start.periodLabel);
    line("KLASSER: " + start.classFilter);
    line("ELEVLISTA: " + start.studentListPath);
    if (start.periodCount > 1) {
        line("ANTAL PERIODER: " + fileNumber(start.periodCount));
        line("VISA ALLA PERIODER: " + fileNumber(start.showAllPeriods));
    }
    if (start.ignoreWishes == 1) line("EJ ÖNSKEMÅL: 1"_cp);
    line("GRUPPER: " + fileNumber(work.groupCount));
    for (int g = 1; g <= work.groupCount; ++g)
        line(groupLine(work.groupTable[g]));
    for (int i = 1; i <= work.studentCount; ++i)
        line(pupilLine(work, i));
    return out;
}

ClassifiedLine classifyLine(const std::string& line) {
    for (const LinePrefix& prefix : linePrefixes()) {
        if (line.compare(0, prefix.text.size(), prefix.text) == 0) {
            return {prefix.kind, line.substr(prefix.text.size())};
        }
    }
    return {WorkLine::Pupil, line};
}

Group parseGroupLine(const std::string& line) {
    Group group;
    group.periodText = "1";
    std::string rest = trimBlanks(line);
    std::string* texts[] = {&group.name, &group.staff, &group.maxText, &group.comment};
    int f = 1;
    for (; f <= 7; ++f) {
        const std::size_t comma = rest.find(',');
        const std::string field = rest.substr(0, comma);
        if (f <= 4) {
            *texts[f - 1] = field;
        } else if (f == 5) {
            group.boardLeft = boardPosition(field);
        } else if (f == 6) {
            group.boardTop = boardPosition(field);
        } else {
            group.periodText = trimBlanks(rest);
        }
        if (comma == std::string::npos) break;
        rest = trimBlanks(rest.substr(comma + 1));
    }
    // The fields a short line lacks stay empty; one that stops within the first four fields
    // has no period either, while one that stops at a position keeps period "1".
    if (f <= 4) group.periodText.clear();
    return group;
}

PupilLine parsePupilLine(const std::string& line) {
    PupilLine pupil;
    // The key is four bytes and may hold a comma itself, so the separator is the fifth byte.
    if (line.size() < 5 || line[4] != ',') return pupil;
    pupil.key = line.substr(0, 4);
    const std::string rest = line.substr(5);
    const std::size_t tab = rest.find('\t');
    if (tab == std::string::npos) {
        pupil.kind = PupilLine::Kind::NoTab;
        return pupil;
    }
    pupil.kind = PupilLine::Kind::Good;
    pupil.wishes = replaceAll(trimBlanks(rest.substr(0, tab)), "//", CRLF);
    pupil.placements = rest.substr(tab + 1);
    const std::size_t second = pupil.placements.find('\t');
    if (second != std::string::npos) pupil.placements = pupil.placements.substr(second + 1);
    return pupil;
}

Placements parsePlacements(const std::string& placements, int periodCount) {
    Placements groups{};
    std::string rest = placements;
    for (int p = 1; p <= periodCount && p <= MaxPeriods; ++p) {
        const std::size_t comma = rest.find(',');
        groups[p] = numericInteger(rest.substr(0, comma));
        rest = comma == std::string::npos ? std::string() : rest.substr(comma + 1);
    }
    return groups;
}

std::optional<FileError> checkPlacements(const Placements& groups, int periodCount, int line) {
    for (int p = 1; p <= periodCount && p <= MaxPeriods; ++p) {
        if (groups[p] < 0 || groups[p] > MaxGroups) {
            return FileError{line, "en elev har gruppnummer " + plainNumber(groups[p]) +
                                       " i period " + plainNumber(p) +
                                       ", men gruppnumren går från 0 till 100."_cp};
        }
    }
    return std::nullopt;
}

WorkFileReader::WorkFileReader(const std::string& bytes) : m_lines(splitLines(bytes)) {}

std::optional<WorkFileItem> WorkFileReader::next() {
    if (m_next >= m_lines.size()) return std::nullopt;
    WorkFileItem item;
    item.line = static_cast<int>(m_next) + 1;
    const std::string& line = m_lines[m_next++];
    const ClassifiedLine classified = classifyLine(line);
    item.kind = classified.kind;
    item.text = trimBlanks(classified.value);
    auto refuse = [&item](std::string problem) {
        item.refusal = FileError{item.line, std::move(problem)};
    };
    switch (classified.kind) {
        case WorkLine::Activity:
        case WorkLine::School:
        case WorkLine::PeriodLabel:
        case WorkLine::Classes:
        case WorkLine::StudentList:
            break;
        case WorkLine::PeriodCount:
            item.number = numericInteger(classified.value);
            if (item.number < 1 || item.number > MaxPeriods) {
                refuse("filen anger " + excerpt(item.text) +
                       " perioder, men programmet hanterar 1 till 10 perioder.");
            }
            break;
        case WorkLine::ShowAllPeriods:
        case WorkLine::IgnoreWishes:
            item.number = numericInteger(classified.value);
            break;
        case WorkLine::Groups: {
            const int count = std::max(numericInteger(classified.value), 0);
            const std::size_t available = m_lines.size() - m_next;
            if (count > MaxGroups) {
                refuse("filen anger " + excerpt(item.text) +
                       " grupper, men programmet hanterar högst 100 grupper."_cp);
            } else if (available < static_cast<std::size_t>(count)) {
                refuse("filen tar slut efter " + plainNumber(static_cast<long long>(available)) +
                       " av sina " + plainNumber(count) + " grupprader.");
            } else {
                item.number = count;
                for (int g = 1; g <= count; ++g) {
                    const std::string& groupText = m_lines[m_next++];
                    if (groupText.find(',') == std::string::npos)
                        item.groupsWithoutComma.push_back(g);
                    item.groups.push_back(parseGroupLine(groupText));
                }
            }
            break;
        }
        case WorkLine::Pupil:
            item.pupil = parsePupilLine(line);
            break;
    }
    return item;
}

}  // namespace pelora
