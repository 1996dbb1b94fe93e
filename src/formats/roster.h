// The roster: the school's pupil list (name, personal identity number, class) from
// which a work takes its pupils. The four-character key that identifies a pupil in the work file
// is derived here from the identity number; the number itself is never stored. Bytes in, pupils
// or the line that was refused out; nobody is asked anything.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/model.h"

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
    std::string name;       // trimmed; as written (with escapes, base/codec.h)
    std::string key;        // four bytes
    std::string identity;   // the identity number the key is made from, trimmed
    std::string className;  // everything after the second TAB, in NormalizeUpper form
};

// One line of the roster. A pupil line has its first TAB after the fifth character and is
// longer than ten characters.
RosterLine parseRosterLine(const std::string& line);

// Whether a class passes the class filter: an empty filter passes every class; otherwise the
// class must be one of the filter's blank-separated names, compared exactly as stored.
bool classInFilter(const std::string& className, const std::string& classFilter);

struct Roster {
    std::vector<Student> pupils;       // in file order, with empty wishes; at most 600
    std::vector<std::string> classes;  // distinct classes in order of first appearance; at most 50

    struct Error {
        enum class Kind {
            BadFormat,
            TooManyPupils,
            TooManyClasses,
            MissingColumn,  // a header without the column `column`
            NoRoster,       // an archive that is no workbook this program reads
        };
        Kind kind;
        int line;            // 1-based line (a table's row) where reading stopped
        std::string column;  // the missing column: "Namn", "Personnummer" or "Klass"
    };
    std::optional<Error> error;  // with an error, no pupils and no classes
};

// The pupils of the roster's bytes whose class passes the filter. The roster may be a text file
// in Windows-1252, UTF-8 or UTF-16, with TABs or as CSV, or an .xlsx or .ods workbook, whose
// first sheet is read; names are kept as written (a character Windows-1252 cannot hold as an
// escape, base/codec.h), classes in plain Windows-1252. A table's columns are found by
// their headings (Namn or Elev, or Förnamn and Efternamn; Personnummer or Personnr; Klass), or
// are the first three in that order where there are none.
Roster readRoster(const std::string& bytes, const std::string& classFilter);

// The names of a class filter that none of the classes read has, in filter order, each once.
std::vector<std::string> classesNotFound(const std::string& classFilter,
                                         const std::vector<std::string>& classes);

}  // namespace pelora
