// Reading RTF, the format of the manual: groups, control words and symbols, \'hh in Windows-1252,
// \uN with its fallback, paragraphs, line breaks and tabs, bold, italic, underline, font size,
// the font and colour tables, and the destinations that hold no text (\* and the known others)
// skipped. Any bytes give what can be read of them, without a crash or a hang.
#pragma once

#include <string>

#include "base/richtext.h"

namespace pelora {

RichText readRtf(const std::string& bytes);

// Text compared with letter case ignored: the first place `what` occurs in `text` from `from` on,
// or npos.
std::size_t findIgnoringCase(const std::u32string& text, const std::u32string& what,
                             std::size_t from = 0);

// A Windows-1252 text as Unicode characters.
std::u32string unicodeOf(const std::string& cp1252);

}  // namespace pelora
