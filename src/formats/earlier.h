// An earlier work file as the page of earlier placements reads it: the names of its groups, and
// for each line after them the key it starts with and the pupil's group in the file's first
// period. Any bytes are read without a crash or a hang; the first problem met is reported with
// its line, and the lines concerned contribute nothing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "formats/workfile.h"

namespace pelora {

struct EarlierFile {
    std::vector<std::string> groupNames;  // the file's groups 1..100 by number; 0 is empty

    struct Placement {
        std::string key;  // the first four bytes of the line
        int group = 0;    // the group number in the first period, 0 for none
    };
    std::vector<Placement> pupils;

    std::optional<FileError> error;

    // The name of group h in this file; empty for 0 or a number the file does not name.
    std::string groupName(int h) const;
};

EarlierFile readEarlierFile(const std::string& bytes);

}  // namespace pelora
