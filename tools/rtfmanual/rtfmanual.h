// The manual's source (share/manual/pel.txt, UTF-8 in a light markup described at its top) turned
// into the RTF file the help reads: chapter and section headings, paragraphs, list items and bold
// text, every character outside ASCII written as Windows-1252 or as \uN. Standard C++ only, so
// that the build can run it before anything else of the program exists.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace rtfmanual {

// A source the generator refuses, with the 1-based line where the problem is.
class SourceError : public std::runtime_error {
public:
    SourceError(int line, const std::string& problem) : std::runtime_error(problem), m_line(line) {}
    int line() const { return m_line; }

private:
    int m_line;
};

// One line of text as RTF: braces and backslashes escaped, a tab as \tab, a character outside
// ASCII as \'hh in Windows-1252 or, where the code page has none, as \uN? (two for a character
// beyond U+FFFF). Throws SourceError on broken UTF-8 or a control character.
std::string escapeText(std::string_view utf8, int line = 0);

// Like escapeText, with the text between "**" and "**" in bold; a "**" left open is an error.
std::string inlineText(std::string_view utf8, int line = 0);

// The whole manual: the source as a complete RTF document.
std::string manualToRtf(std::string_view source);

}  // namespace rtfmanual
