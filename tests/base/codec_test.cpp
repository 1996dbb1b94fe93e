// Names as written: the escapes that carry a character Windows-1252 cannot hold through the
// core's text, made from UTF-8, UTF-16 and code points, and turned back into UTF-8 or "?".
#include <gtest/gtest.h>

#include "base/codec.h"

namespace pelora {
namespace {

using namespace std::string_literals;

// 0x8F and the digits that follow it.
std::string esc(const char* digits) {
    return "\x8F"s + digits;
}

// What the code page holds stays its byte, anything else is 0x8F and seven digits; the way back
// gives the text as it was written.
TEST(Escapes, RoundTripThroughTheCoresText) {
    // as written (UTF-8), the core's bytes, the characters counted
    const std::tuple<std::string, std::string, std::size_t> cases[] = {
        {"Łukasz", esc("0000321") + "ukasz", 6},
        {"Wiśniewski", "Wi" + esc("0000347") + "niewski", 10},
        {"Åsa Öberg €", "\xC5sa \xD6" + "berg \x80"s, 11},
        {"Жω", esc("0001046") + esc("0000969"), 2},
        {"a😀", "a" + esc("0128512"), 2},
        {"\xF4\x8F\xBF\xBF", esc("1114111"), 1},
        {"", "", 0},
    };
    for (const auto& [written, core, count] : cases) {
        EXPECT_EQ(utf8AsWritten(written), core) << written;
        EXPECT_EQ(asUtf8(core), written) << written;
        EXPECT_EQ(characterCount(core), count) << written;
        EXPECT_EQ(withoutEscapes(core), utf8ToCp1252(written)) << written;
    }
    EXPECT_EQ(codePointsAsWritten(U"Łx\U0001F600"), esc("0000321") + "x" + esc("0128512"));
    // A lone surrogate half is no character and stays "?", as a broken UTF-8 sequence does.
    EXPECT_EQ(codePointsAsWritten(std::u32string{0xD800, 'a', 0xDFFF}), "?a?");
    EXPECT_EQ(utf8AsWritten("a\xC5z\xE2\x82"), "a?z??");
}

// A 0x8F that starts no escape is the character U+008F with the bytes after it, as always: at
// the end, before six digits or a non-digit, before a character the code page holds (å, Œ, ÿ,
// U+008F itself), beyond Unicode, before a surrogate half.
TEST(Escapes, ABrokenEscapeReadsAsItsBytes) {
    const std::string cases[] = {
        esc(""),        "ab" + esc(""), esc("000321"),   esc("000032x"), esc("0000229"),
        esc("0000338"), esc("0000255"), esc("0000143"),  esc("1114112"), esc("9999999"),
        esc("0055296"), esc("0057343"), esc("\x8F\x8F"), esc("-000321"),
    };
    for (const std::string& bytes : cases) {
        EXPECT_EQ(asUtf8(bytes), cp1252ToUtf8(bytes)) << bytes;
        EXPECT_EQ(characterCount(bytes), bytes.size()) << bytes;
        EXPECT_EQ(withoutEscapes(bytes), bytes) << bytes;
    }
    // An escape right behind a 0x8F that starts none is found.
    EXPECT_EQ(asUtf8(esc("") + esc("0000321")), "\xC2\x8F\xC5\x81");
}

// A character at a time from the end: an escape goes whole, a broken one byte by byte.
TEST(Escapes, TheLastCharacterGoesWhole) {
    const std::pair<std::string, std::string> cases[] = {
        {"ab", "a"},
        {"", ""},
        {"a" + esc("0000321"), "a"},
        {esc("0000321"), ""},
        {esc("0000321") + esc("0000322"), esc("0000321")},
        {"a" + esc("0000229"), "a" + esc("000022")},
        {esc("000321"), esc("00032")},
    };
    for (auto [text, shorter] : cases) {
        dropLastCharacter(text);
        EXPECT_EQ(text, shorter);
    }
}

// A UTF-8 or UTF-16 file keeps what the code page lacks as escapes, a pair of UTF-16 halves as
// one character and a lone half as "?"; Windows-1252 bytes are read as they are.
TEST(Escapes, TextFilesOfEveryEncodingKeepWhatTheCodePageLacks) {
    const std::pair<std::string, std::string> cases[] = {
        {"\xC5\x81x\t7\xC3\x85", esc("0000321") + "x\t7\xC5"},
        {"\xEF\xBB\xBF\xC5\x81", esc("0000321")},
        {"\xFF\xFE\x41\x01\xC5\0\x3D\xD8\x00\xDE\x00\xD8z\0"s,
         esc("0000321") + "\xC5" + esc("0128512") + "?z"},
        {"\xFE\xFF\x01\x41\0a"s, esc("0000321") + "a"},
        {"\xC5sa \xD6", "\xC5sa \xD6"},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(textAsWritten(bytes), text) << bytes;
        EXPECT_EQ(withoutEscapes(textAsWritten(bytes)), textAsCp1252(bytes)) << bytes;
    }
}

}  // namespace
}  // namespace pelora
