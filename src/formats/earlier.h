// An earlier work file as the page of earlier placements reads it: the names of its groups, and
// for each pupil line after them the key and the pupil's group in the file's first period. The
// file is walked by the work file reader, so it is split, classified and refused exactly as an
// open would do it. Any bytes are read without a crash or a hang.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "formats/workfile.h"

namespace pelora {

struct EarlierFile {
    std::vector<std::string> groupNames;  // the file's groups 1..100 by number; 0 is empty

    struct Placement {
        std::string key;  // the line's four-byte key
        int group = 0;    // the group number in the first period, 0 for none
    };
    // The pupil lines with a key, a TAB and their numbers, in file order; other lines are left
    // out without a word. A line whose group number lies outside 0..100 is kept with group 0: it
    // is still its pupil's line, so the lines after it with the same key keep their pupils.
    std::vector<Placement> pupils;

    // The first problem met, with its line. When the work file reader refuses the file, this is
    // its refusal and the file gives no groups and no pupils.
    std::optional<FileError> error;

    // The name of group h in this file; empty for 0 or a number the file does not name.
    std::string groupName(int h) const;
};

EarlierFile readEarlierFile(const std::string& bytes);

}  // namespace pelora
