// The roster: the school's tab-separated pupil list (name, personal identity number, class) from
// which a work takes its pupils. The four-character key that identifies a pupil in the work file
// is derived here from the identity number; the number itself is never stored.
#pragma once

#include <string>

#include "work/app.h"

namespace pelora {

// The key of an identity number in any of its usual writings: 19900101-1234, 900101-1234 and
// 9001011234 all give the bytes 32, 42, 43, 55. Each key byte is 32 + a two-digit pair.
std::string studentKey(const std::string& identityNumber);

struct RosterLine {
    enum class Kind {
        Skipped,    // a header, an empty or a short line
        BadFormat,  // a pupil line with only one TAB
        Pupil,
    };
    Kind kind = Kind::Skipped;
    std::string name;       // trimmed
    std::string key;        // four bytes
    std::string className;  // everything after the second TAB, in NormalizeUpper form
};

// One line of the roster. A pupil line has its first TAB after the fifth character and is
// longer than ten characters.
RosterLine parseRosterLine(const std::string& line);

// Whether a class passes the class filter: an empty filter passes every class; otherwise the
// class must be one of the filter's blank-separated names, compared exactly as stored.
bool classInFilter(const std::string& className, const std::string& classFilter);

enum class RosterResult { Read, BadFormat, TooManyPupils, TooManyClasses };

// Fills the pupil table, the class list and the counts from the roster's bytes, keeping the
// pupils whose class passes the filter, and clears every placement. Asks nobody. Anything but
// Read leaves no pupils and no classes.
RosterResult loadRoster(Work& work, const std::string& bytes);

// Reads the roster named in the start data (asking for another path while it cannot be opened),
// then fills the class box. Ends the program (ProgramEnd) when the user gives no path or the
// roster is not a pupil list. Returns false, with no pupils read, when the roster holds more
// pupils or classes than a work can; the user has been told why.
bool Hamta_elever(App& app);

}  // namespace pelora
