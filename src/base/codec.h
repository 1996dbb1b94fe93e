// The Windows-1252 code page: every file Pelora reads and writes, and all text in the core,
// is in it. The shell converts at its boundary through these tables only. Program texts are
// written in the sources as UTF-8 with the suffix _cp, which turns them into Windows-1252 bytes
// at compile time: "Vill du spara ändringarna?"_cp.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace pelora {

namespace codec_detail {

// Bytes 0x80..0x9F; the rest of the code page equals Latin-1. The five unassigned bytes map to
// the C1 controls of the same value.
inline constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

}  // namespace codec_detail

// The Unicode code point of a byte.
constexpr char32_t cp1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return codec_detail::kHigh[byte - 0x80];
    return byte;
}

// The byte for a code point, or -1 when Windows-1252 has no such character.
constexpr int unicodeToCp1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<int>(codePoint);
    }
    for (std::size_t i = 0; i < codec_detail::kHigh.size(); ++i) {
        if (codec_detail::kHigh[i] == codePoint) return static_cast<int>(0x80 + i);
    }
    return -1;
}

// Upper case within the code page: a-z, the accented letters, š œ ž ÿ. A text's escapes stay
// whole, an escaped letter in upper case: Latin Extended-A (ł Ł), Greek (ω Ω) and Cyrillic (ж Ж).
char upperCp1252(char c);
std::string upperCp1252(const std::string& text);

// Windows-1252 bytes to UTF-8 and back (for messages of the standard library and for tests);
// a character the code page cannot hold, or a broken UTF-8 sequence, becomes "?".
std::string cp1252ToUtf8(const std::string& text);
std::string utf8ToCp1252(const std::string& text);

// A text file as Windows-1252, whatever it was saved in: UTF-8 or UTF-16 by their byte-order mark,
// UTF-8 without one when the bytes are valid UTF-8 that holds more than ASCII, and otherwise
// Windows-1252 as it is. A character Windows-1252 cannot hold becomes "?".
std::string textAsCp1252(const std::string& bytes);

// The UTF-8 character starting at text[i]: its code point, how many bytes it takes (at least 1)
// and whether the sequence is whole.
struct Utf8Char {
    char32_t codePoint;
    std::size_t length;
    bool whole;
};

constexpr Utf8Char utf8At(const char* text, std::size_t size, std::size_t i) {
    auto b = static_cast<unsigned char>(text[i]);
    char32_t cp = 0;
    std::size_t length = 1;
    if (b < 0x80) {
        return {b, 1, true};
    } else if ((b & 0xE0) == 0xC0) {
        cp = b & 0x1F;
        length = 2;
    } else if ((b & 0xF0) == 0xE0) {
        cp = b & 0x0F;
        length = 3;
    } else if ((b & 0xF8) == 0xF0) {
        cp = b & 0x07;
        length = 4;
    } else {
        return {0, 1, false};
    }
    if (i + length > size) return {0, 1, false};
    for (std::size_t k = 1; k < length; ++k) {
        auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return {0, 1, false};
        cp = (cp << 6) | (next & 0x3F);
    }
    return {cp, length, true};
}

// The UTF-8 character starting at text[i]: its Windows-1252 byte (-1 when the code page has no
// such character or the sequence is broken) and how many bytes it takes (at least 1).
struct Utf8Step {
    int byte;
    std::size_t length;
};

constexpr Utf8Step cp1252FromUtf8At(const char* text, std::size_t size, std::size_t i) {
    const Utf8Char c = utf8At(text, size, i);
    return {c.whole ? unicodeToCp1252(c.codePoint) : -1, c.length};
}

// Names as written. A name read from a UTF-8 or UTF-16 roster may hold a character the code page
// cannot hold ("Łukasz"); inside the core's text it travels as an escape: the byte 0x8F, which
// Windows-1252 leaves unassigned, and the code point in exactly seven decimal digits ("Ł", U+0141,
// is 8F "0000321"). Only the roster reader makes escapes, and only in names; the shell, the
// printer and the spreadsheet export turn them back into the character. A 0x8F that starts no
// escape (too few digits, or a code point that is no character, or one the code page holds) is
// the character U+008F, as it has always been.
inline constexpr unsigned char kEscapeByte = 0x8F;
inline constexpr std::size_t kEscapeLength = 8;

// Whether a code point travels as an escape: a character the code page has not.
constexpr bool needsEscape(char32_t codePoint) {
    return codePoint >= 0x100 && codePoint <= 0x10FFFF &&
           !(codePoint >= 0xD800 && codePoint <= 0xDFFF) && unicodeToCp1252(codePoint) < 0;
}

// The character at text[i] (i < size): its code point and its bytes, kEscapeLength for an
// escape and 1 for any other byte.
struct Character {
    char32_t codePoint;
    std::size_t length;
};
Character characterAt(const std::string& text, std::size_t i);

// How many characters the text holds, an escape counting as one.
std::size_t characterCount(const std::string& text);

// The text without its last character; an escape goes whole.
void dropLastCharacter(std::string& text);

// Code points as core text: what the code page holds as its byte, every other character as an
// escape, what is no character (a lone surrogate half) as "?".
std::string codePointsAsWritten(const std::u32string& codePoints);

// UTF-8 as core text, by the rule of codePointsAsWritten; a broken sequence becomes "?".
std::string utf8AsWritten(const std::string& utf8);

// A text file as core text, told apart as textAsCp1252 does, with escapes where it gives "?".
std::string textAsWritten(const std::string& bytes);

// Core text as UTF-8, each escape as its character.
std::string asUtf8(const std::string& text);

// Core text as plain Windows-1252 for what must hold nothing else: each escape becomes "?".
std::string withoutEscapes(const std::string& text);

// A UTF-8 string literal converted to Windows-1252 at compile time; a character outside the
// code page does not compile.
template <std::size_t N>
struct Cp1252Literal {
    char bytes[N]{};
    std::size_t size = 0;

    consteval Cp1252Literal(const char (&utf8)[N]) {
        for (std::size_t i = 0; i + 1 < N;) {
            Utf8Step step = cp1252FromUtf8At(utf8, N - 1, i);
            if (step.byte < 0) throw "not representable in Windows-1252";
            bytes[size++] = static_cast<char>(step.byte);
            i += step.length;
        }
    }
};

inline namespace literals {
template <Cp1252Literal L>
std::string operator""_cp() {
    return std::string(L.bytes, L.size);
}
}  // namespace literals

}  // namespace pelora
