#include "formats/earlier.h"

#include <algorithm>

#include "base/codec.h"
#include "base/files.h"
#include "base/numbers.h"

namespace pelora {

std::string EarlierFile::groupName(int h) const {
    if (h < 1 || static_cast<std::size_t>(h) >= groupNames.size()) return std::string();
    return groupNames[static_cast<std::size_t>(h)];
}

EarlierFile readEarlierFile(const std::string& bytes) {
    EarlierFile file;
    file.groupNames.assign(1, std::string());
    auto problem = [&file](std::size_t index, std::string what) {
        if (!file.error) file.error = FileError{static_cast<int>(index) + 1, std::move(what)};
    };

    const std::vector<std::string> lines = splitLines(bytes);
    std::size_t k = 0;
    while (k < lines.size() && lines[k].compare(0, 8, "GRUPPER:") != 0)
        ++k;
    if (k == lines.size()) return file;

    const long long count = std::max(numericInteger(lines[k].substr(8)), 0);
    ++k;
    for (long long g = 1; g <= count && k < lines.size(); ++g, ++k) {
        const std::size_t comma = lines[k].find(',');
        if (comma == std::string::npos) problem(k, "gruppraden saknar kommatecken.");
        if (g <= MaxGroups) {
            file.groupNames.push_back(comma == std::string::npos ? std::string()
                                                                 : lines[k].substr(0, comma));
        }
    }
    for (; k < lines.size(); ++k) {
        const std::string& line = lines[k];
        const std::size_t tab = line.find('\t');
        if (line.size() < 4 || tab == std::string::npos) continue;
        const int group = numericInteger(line.substr(tab + 1));
        if (group < 0 || group > MaxGroups) {
            problem(k, "en elev har gruppnummer " + plainNumber(group) +
                           ", men gruppnumren går från 0 till 100."_cp);
            continue;
        }
        file.pupils.push_back({line.substr(0, 4), group});
    }
    return file;
}

}  // namespace pelora
