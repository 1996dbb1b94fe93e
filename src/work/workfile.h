// The work file (*.pel): start data, groups with their board positions, and per pupil the key,
// the wishes and the group in each period. The writer and the line parsers are pure; the
// commands Save, Save as and Open ask the user through the desktop.
#pragma once

#include <array>
#include <string>

#include "work/app.h"

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
std::array<int, MaxPeriods + 1> parsePlacements(const std::string& placements, int periodCount);

void Arkiv_Spara(App& app);
void Arkivsparasom(App& app);
void Arkivoppna(App& app);

}  // namespace pelora
