// The recent works are the one thing the program keeps between runs outside a work: in the
// user's settings, as the system names the paths.
#pragma once

#include <filesystem>
#include <vector>

namespace pelora::ui {

std::vector<std::filesystem::path> loadRecentWorks();
void saveRecentWorks(const std::vector<std::filesystem::path>& works);

}  // namespace pelora::ui
