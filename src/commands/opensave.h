// The commands that read and write the work file: "Spara", "Spara som..." and "Öppna", with the
// questions on the way. The file's format is formats/workfile.
#pragma once

#include <filesystem>
#include <string>

#include "commands/app.h"

namespace pelora {

// The title of the messages of opening a work.
extern const std::string kOpenTitle;

void Arkiv_Spara(App& app);
void Arkivsparasom(App& app);
// Opens the work named on the command line, or asks for one.
void Arkivoppna(App& app);

// Reads the work file at `path` in place of the work in memory.
void openWorkFile(App& app, const std::filesystem::path& path);

// Reads a work file's bytes as the file at `path` (whose folder a relative roster path is looked
// for in). False when the file was refused, cancelled or failed: then either the previous work
// is back or, after Cancel, what was read stays without a file name.
bool openWorkBytes(App& app, const std::string& bytes, const std::filesystem::path& path);

// The last works opened or saved, most recent first, in the menu "Arkiv".
inline constexpr std::size_t kRecentFiles = 4;
void rememberRecent(App& app, const std::filesystem::path& path);

// One of the recent works chosen in the menu; a file that is gone leaves the list with a message.
void Arkiv_senaste(App& app, int index);

}  // namespace pelora
