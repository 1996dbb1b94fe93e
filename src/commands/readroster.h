// Reading the roster named in the start data into the work: asking for another path while it
// cannot be opened, and failing where the user gives none or the file is no roster.
#pragma once

#include <filesystem>
#include <string>

#include "commands/app.h"

namespace pelora {

// The kinds of file a roster may be, for the file dialog.
extern const char* const kRosterFilter;

// Where a roster path leads. A relative path is looked for beside the work file first, so that a
// work and its roster can move together, then in the current folder.
std::filesystem::path rosterLocation(App& app, const std::string& studentListPath);

// A roster path the user typed or chose, made absolute against the folder it is read from (the
// rule of rosterLocation), so that the work reads the same roster wherever it is saved and
// wherever the program is started. Paths of a work that was opened are never passed here, so
// they stay as the file has them. An empty path, or one whose absolute form Windows-1252 cannot
// hold, comes back as it is.
std::string absoluteRosterPath(App& app, const std::string& studentListPath);

// Reads the roster named in the start data, clears every placement, and fills the pupil table,
// the class list and the class box. Returns false, with no pupils read, when the user gives no
// path, when the roster is not a pupil list, or when it holds more pupils or classes than a work
// can; the user has been told why.
bool Hamta_elever(App& app);

// After New or Open has read the roster: names the pupils who share a key, since the work keeps
// them apart only by their order in the roster and the export cannot tell them apart.
void reportSharedKeys(App& app, const std::string& title);

}  // namespace pelora
