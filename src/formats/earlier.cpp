#include "formats/earlier.h"

#include <algorithm>

#include "base/codec.h"
#include "base/numbers.h"

namespace pelora {

std::string EarlierFile::groupName(int h) const {
    if (h < 1 || static_cast<std::size_t>(h) >= groupNames.size()) return std::string();
    return groupNames[static_cast<std::size_t>(h)];
}

EarlierFile readEarlierFile(const std::string& bytes) {
    EarlierFile file;
    file.groupNames.assign(1, std::string());
    auto problem = [&file](int line, std::string what) {
        if (!file.error) file.error = FileError{line, std::move(what)};
    };

    WorkFileReader reader(bytes);
    bool groupsRead = false;  // pupil lines count from the group lines on
    while (std::optional<WorkFileItem> item = reader.next()) {
        if (item->refusal) {
            EarlierFile refused;
            refused.groupNames.assign(1, std::string());
            refused.error = item->refusal;
            return refused;
        }
        if (item->kind == WorkLine::Groups) {
            // As in an open, a later "GRUPPER:" gives the groups the numbers name.
            groupsRead = true;
            file.groupNames.assign(1, std::string());
            for (int g = 1; g <= item->number; ++g) {
                const bool noComma =
                    std::find(item->groupsWithoutComma.begin(), item->groupsWithoutComma.end(),
                              g) != item->groupsWithoutComma.end();
                if (noComma) problem(item->line + g, "gruppraden saknar kommatecken.");
                file.groupNames.push_back(
                    noComma ? std::string() : item->groups[static_cast<std::size_t>(g - 1)].name);
            }
        } else if (item->kind == WorkLine::Pupil && groupsRead) {
            const PupilLine& pupil = item->pupil;
            if (pupil.kind != PupilLine::Kind::Good) continue;
            int group = parsePlacements(pupil.placements, 1)[1];
            if (group < 0 || group > MaxGroups) {
                problem(item->line, "en elev har gruppnummer " + plainNumber(group) +
                                        ", men gruppnumren går från 0 till 100."_cp);
                group = 0;
            }
            file.pupils.push_back({pupil.key, group});
        }
    }
    return file;
}

}  // namespace pelora
