#include "rtfmanual.h"

#include <array>
#include <string>
#include <vector>

namespace rtfmanual {

namespace {

// Times New Roman for the text, Arial for the headings, which are dark blue, and Courier New for
// examples.
constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1053\n"
    "{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}{\\f1\\fswiss\\fcharset0 Arial;}"
    "{\\f2\\fmodern\\fcharset0 Courier New;}}\n"
    "{\\colortbl;\\red31\\green56\\blue100;}\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs22\n";

// How each kind of paragraph looks, after the "{\\pard" that begins it. Every paragraph is a group
// of its own, so that nothing of one paragraph's look carries over into the next.
constexpr std::string_view kChapter = "\\keepn\\sb360\\sa120\\f1\\fs32\\b\\cf1 ";
constexpr std::string_view kSection = "\\keepn\\sb240\\sa80\\f1\\fs26\\b\\cf1 ";
constexpr std::string_view kBody = "\\sa120\\f0\\fs22 ";
constexpr std::string_view kItem = "\\fi-284\\li568\\tx568\\sa60\\f0\\fs22 \\'95\\tab ";
// Example lines, such as a few lines of a file, in a typewriter font with tab stops for columns.
constexpr std::string_view kExample = "\\keep\\li568\\tx3402\\tx5386\\sa120\\f2\\fs20 ";
// The room a list's items leave after them is made up above the paragraph that follows.
constexpr std::string_view kAfterList = "\\sb120";
constexpr std::string_view kParagraphEnd = "\\par}\n";

// The characters of Windows-1252 bytes 0x80..0x9F; 0 where the code page has none.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88..8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98..9F
};

// The Windows-1252 byte of a character above ASCII, or -1.
int cp1252Byte(char32_t c) {
    if (c >= 0xA0 && c <= 0xFF) return static_cast<int>(c);
    for (std::size_t k = 0; k < kHigh.size(); ++k) {
        if (kHigh[k] == c) return static_cast<int>(0x80 + k);
    }
    return -1;
}

struct Decoded {
    char32_t c;
    std::size_t length;
};

// The UTF-8 character at s[i]; only the shortest writing of a character is accepted.
Decoded decode(std::string_view s, std::size_t i, int line) {
    const auto byte = [s](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char first = byte(i);
    if (first < 0x80) return {first, 1};
    // The length of the sequence, the bits of its first byte, the least character it may hold.
    std::size_t length = 0;
    char32_t c = 0, least = 0;
    if ((first & 0xE0) == 0xC0) {
        length = 2;
        c = first & 0x1F;
        least = 0x80;
    } else if ((first & 0xF0) == 0xE0) {
        length = 3;
        c = first & 0x0F;
        least = 0x800;
    } else if ((first & 0xF8) == 0xF0) {
        length = 4;
        c = first & 0x07;
        least = 0x10000;
    }
    bool valid = length > 0 && i + length <= s.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
        valid = (byte(i + k) & 0xC0) == 0x80;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (!valid || c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        throw SourceError(line, "texten är inte giltig UTF-8");
    }
    return {c, length};
}

// One UTF-16 unit as \uN with "?" for readers that do not know \u; RTF writes N signed.
void appendUnicode(std::string& out, char32_t unit) {
    const int n = unit > 0x7FFF ? static_cast<int>(unit) - 0x10000 : static_cast<int>(unit);
    out += "\\u" + std::to_string(n) + "?";
}

void appendCharacter(std::string& out, char32_t c, int line) {
    static const char* const kHex = "0123456789abcdef";
    if (c == '\\' || c == '{' || c == '}') {
        out += '\\';
        out += static_cast<char>(c);
    } else if (c == '\t') {
        out += "\\tab ";
    } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
        throw SourceError(line, "kontrolltecken " + std::to_string(c) + " i texten");
    } else if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (const int b = cp1252Byte(c); b >= 0) {
        out += "\\'";
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
    } else if (c <= 0xFFFF) {
        appendUnicode(out, c);
    } else {
        c -= 0x10000;
        appendUnicode(out, 0xD800 + (c >> 10));
        appendUnicode(out, 0xDC00 + (c & 0x3FF));
    }
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The source's lines, whatever their ends: CR LF, LF or a lone CR.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        const std::size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        text.remove_prefix(next);
    }
    return lines;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::string escapeText(std::string_view utf8, int line) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Decoded d = decode(utf8, i, line);
        appendCharacter(out, d.c, line);
        i += d.length;
    }
    return out;
}

std::string inlineText(std::string_view utf8, int line) {
    std::string out;
    bool bold = false;
    for (;;) {
        const std::size_t mark = utf8.find("**");
        out += escapeText(utf8.substr(0, mark), line);
        if (mark == std::string_view::npos) break;
        out += bold ? "}" : "{\\b ";
        bold = !bold;
        utf8.remove_prefix(mark + 2);
    }
    if (bold) throw SourceError(line, "** öppnar fet stil som inte stängs på samma rad");
    return out;
}

std::string manualToRtf(std::string_view source) {
    if (startsWith(source, "\xEF\xBB\xBF")) source.remove_prefix(3);
    std::string rtf(kHeader);
    // The paragraph, list item or example being gathered, as RTF.
    enum class Block { None, Body, Item, Example };
    Block block = Block::None;
    Block last = Block::None;  // the block written before
    std::string open;
    const auto close = [&] {
        if (block == Block::None) return;
        rtf += open;
        rtf += kParagraphEnd;
        open.clear();
        last = block;
        block = Block::None;
    };
    const auto begin = [&](Block kind, std::string_view look, const std::string& text) {
        close();
        block = kind;
        open = "{\\pard";
        if (last == Block::Item && kind != Block::Item) open += kAfterList;
        open += look;
        open += text;
    };
    // A paragraph of one line: a heading, the end marker.
    const auto single = [&](std::string_view start, const std::string& text) {
        begin(Block::Body, start, text);
        close();
    };

    int number = 0;
    for (const std::string_view line : splitLines(source)) {
        ++number;
        if (startsWith(line, "%")) continue;
        const std::string_view text = trimmed(line);
        if (text.empty()) {
            close();
        } else if (startsWith(line, "#")) {
            const bool chapter = startsWith(line, "# ");
            if (!chapter && !startsWith(line, "## ")) {
                throw SourceError(number, "en rubrik börjar med \"# \" eller \"## \"");
            }
            const std::string_view heading = trimmed(line.substr(chapter ? 2 : 3));
            if (heading.empty()) throw SourceError(number, "rubriken saknar text");
            single(chapter ? kChapter : kSection, inlineText(heading, number));
        } else if (text == "---") {
            single(kBody, "---");
        } else if (startsWith(line, "- ")) {
            const std::string_view item = trimmed(line.substr(2));
            if (item.empty()) throw SourceError(number, "punkten saknar text");
            begin(Block::Item, kItem, inlineText(item, number));
        } else if (startsWith(line, ">")) {
            // The line as it stands after "> ", its tabs included.
            std::string_view example = line.substr(1);
            if (startsWith(example, " ")) example.remove_prefix(1);
            example = example.substr(0, example.find_last_not_of(" \t") + 1);
            const std::string escaped = escapeText(example, number);
            if (block == Block::Example) {
                open += "\\line ";
                open += escaped;
            } else {
                begin(Block::Example, kExample, escaped);
            }
        } else if (block == Block::Body || block == Block::Item) {
            open += ' ';
            open += inlineText(text, number);
        } else {
            begin(Block::Body, kBody, inlineText(text, number));
        }
    }
    close();
    rtf += "}\n";
    return rtf;
}

}  // namespace rtfmanual
