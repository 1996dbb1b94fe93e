// Formatted text as the help shows it: the plain text, one Unicode character a position, with runs
// that say how each stretch looks. The manual is read into it and cut into sections of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pelora {

struct TextFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;       // the font size in half points, as RTF gives it (12 pt)
    std::string font;          // the font's name as the document names it; empty for the default
    std::uint32_t colour = 0;  // 0xRRGGBB
    friend bool operator==(const TextFormat&, const TextFormat&) = default;
};

struct TextRun {
    std::size_t start = 0;  // in characters of the plain text
    std::size_t length = 0;
    TextFormat format;
    friend bool operator==(const TextRun&, const TextRun&) = default;
};

// Paragraphs end with '\n', a line break within a paragraph is U+2028, a tab is '\t'.
struct RichText {
    std::u32string text;
    std::vector<TextRun> runs;  // in order, without gaps, covering the whole text

    // The part from `start` of `length` characters, with its runs.
    RichText slice(std::size_t start, std::size_t length) const;
};

}  // namespace pelora
