// The pages of earlier placements: for each class chosen, every pupil's group in up to five
// earlier work files of the print dialog's folder, a column a file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "commands/printengine.h"

namespace pelora {

void printEarlierPlacements(PageWriter& page, const PrintSelection& selection);

// The work files of a folder: "*.pel" in any letter case, sorted by name in any letter case.
std::vector<std::string> workFilesIn(App& app, const std::filesystem::path& folder);

}  // namespace pelora
