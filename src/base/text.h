// The text rules by which Pelora compares names, classes and wishes: trimming of multi-line
// texts, the upper-case key form, a group's base name, and whether a wish line names a group.
// Texts are Windows-1252 bytes; positions are 1-based, 0 meaning not found.
#pragma once

#include <string>
#include <vector>

namespace pelora {

inline constexpr const char* CRLF = "\r\n";

// Blanks (code 32 only) removed at both ends.
std::string trimBlanks(const std::string& text);

// The text without blanks at the start or end of any line; empty lines remain.
std::string TrimLines(const std::string& text);

// TrimLines, then no empty lines and no line break at the start or the end.
std::string CleanLines(const std::string& text);

// Every "," becomes one blank; trimmed.
std::string CommasToSpaces(const std::string& text);

// Upper case (Windows-1252, å ä ö é included) and trimmed; inner blanks are kept.
std::string NormalizeUpper(const std::string& text);

// The name before its first "-", then before its first "(" (trimmed only in that case).
std::string BaseName(const std::string& groupName);

// The 1-based position of the wish line that names the group, or 0. A line names the group
// when it begins with the group's base name followed, after any blanks, by the end of the
// line, "*", "(" or "-". Line 1 starts at 1; every later line starts at 4 or beyond.
int FindWish(const std::string& wishes, const std::string& groupName);

// Which wish names the group, 1 for the first line; 0 when none does.
int wishRank(const std::string& wishes, const std::string& groupName);

// How many characters must be put in, taken out or changed to turn one text into the other;
// counting stops above `limit`, which is returned for anything further apart.
std::size_t editDistance(const std::string& a, const std::string& b, std::size_t limit);

// A text for a one-line field: each run of CR, LF and TAB becomes one blank, so that whatever is
// pasted into the field, a file line written from it stays one line.
std::string singleLine(const std::string& text);

// Text cut to at most `limit` characters for a message, with "…" where it was cut.
std::string excerpt(const std::string& text, std::size_t limit = 60);

// Replaces every occurrence of `from` (not empty) by `to`, left to right.
std::string replaceAll(const std::string& text, const std::string& from, const std::string& to);

// "A", "A och B", "A, B och C": the names of a message, the first `shown` of them, then
// " och N till" for the rest when there are more.
std::string nameList(const std::vector<std::string>& names, std::size_t shown = 10);

}  // namespace pelora
