// The work file (*.pel): start data, groups with their board positions, and per pupil the key,
// the wishes and the group in each period. The writer makes the whole file from the work; the
// reader walks a file item by item and says which line refuses it. Neither asks anybody.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/model.h"

namespace pelora {

// The whole file as it is saved: CR LF after every line, numbers with a sign space and one
// trailing blank.
std::string workFileBytes(const Work& work);

// "NAME,STAFF,MAX,COMMENT,  LEFT ,  TOP ,PERIOD"
std::string groupLine(const Group& group);

// "KEY, WISH1//WISH2<TAB> 3 , 0 ": the key, the joined wishes, one TAB, a number per period.
std::string pupilLine(const Work& work, int i);

// The wishes on one line: clean lines joined by "//".
std::string joinWishes(const std::string& wishes);

enum class WorkLine {
    Activity,        // "AKTIVITET:"
    School,          // "SKOLA:"
    PeriodLabel,     // "PERIOD:"
    Classes,         // "KLASSER:"
    StudentList,     // "ELEVLISTA:"
    PeriodCount,     // "ANTAL PERIODER:"
    ShowAllPeriods,  // "VISA ALLA PERIODER:"
    IgnoreWishes,    // "EJ ÖNSKEMÅL:"
    Groups,          // "GRUPPER:"
    Pupil,           // anything else
};

struct ClassifiedLine {
    WorkLine kind = WorkLine::Pupil;
    std::string value;  // the text after the line's label, untrimmed; the whole line for a pupil
};

// A line outside the group lines, by its first characters (exact comparison).
ClassifiedLine classifyLine(const std::string& line);

// A group line, field by field: the first four fields untrimmed, the positions as numbers,
// the rest of the line as the period. A short line empties the fields it lacks; one without
// a sixth comma keeps period "1".
Group parseGroupLine(const std::string& line);

using Placements = std::array<int, MaxPeriods + 1>;

struct PupilLine {
    enum class Kind {
        BadKey,  // no comma as the fifth character
        NoTab,   // the key is fine but no TAB follows it
        Good,
    };
    Kind kind = Kind::BadKey;
    std::string key;         // four bytes, which may include a comma or a blank
    std::string wishes;      // CR LF between the wishes
    std::string placements;  // the numbers after the TAB (after a second TAB if there is one)
};

PupilLine parsePupilLine(const std::string& line);

// The group numbers for periods 1..periodCount, as written (not checked against any range);
// missing numbers are 0, extra numbers are ignored.
Placements parsePlacements(const std::string& placements, int periodCount);

// Why a file is refused, and the line (1-based) that refuses it.
struct FileError {
    int line = 0;
    std::string problem;  // a Swedish sentence
};

// The refusal of a pupil's group numbers that lie outside the tables, if one does.
std::optional<FileError> checkPlacements(const Placements& groups, int periodCount, int line);

// One thing a work file says, in file order.
struct WorkFileItem {
    int line = 0;  // the 1-based line it starts at
    WorkLine kind = WorkLine::Pupil;
    std::string text;           // the start data texts: trimmed text after the label
    int number = 0;             // the numbers: ANTAL PERIODER, VISA ALLA PERIODER, EJ ÖNSKEMÅL
    std::vector<Group> groups;  // GRUPPER: the group lines that follow it
    std::vector<int> groupsWithoutComma;  // GRUPPER: the groups (1..) whose line has no comma
    PupilLine pupil;
    std::optional<FileError> refusal;  // the file is outside what the program holds
};

// Walks the lines of a work file.
class WorkFileReader {
public:
    explicit WorkFileReader(const std::string& bytes);

    // The next item; nothing at the end of the file.
    std::optional<WorkFileItem> next();

private:
    std::vector<std::string> m_lines;
    std::size_t m_next = 0;
};

}  // namespace pelora
