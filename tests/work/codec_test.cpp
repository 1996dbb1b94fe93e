#include "work/codec.h"

#include <gtest/gtest.h>

namespace pelora {
namespace {

TEST(Codec, EveryByteRoundTripsThroughUnicodeAndUtf8) {
    for (int b = 0; b < 256; ++b) {
        char32_t cp = cp1252ToUnicode(static_cast<unsigned char>(b));
        EXPECT_EQ(unicodeToCp1252(cp), b) << "byte " << b;
        std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(one)), one) << "byte " << b;
    }
}

TEST(Codec, KnownMappings) {
    EXPECT_EQ(cp1252ToUnicode(0x80), U'\u20AC');  // euro sign
    EXPECT_EQ(cp1252ToUnicode(0x81), U'\u0081');  // unassigned
    EXPECT_EQ(cp1252ToUnicode(0x8D), U'\u008D');
    EXPECT_EQ(cp1252ToUnicode(0x9F), U'\u0178');  // Ÿ
    EXPECT_EQ(cp1252ToUnicode(0xE5), U'\u00E5');  // å
    EXPECT_EQ(unicodeToCp1252(U'\u2014'), 0x97);
    EXPECT_EQ(unicodeToCp1252(U'\u0100'), -1);
    EXPECT_EQ(unicodeToCp1252(U'\U0001F600'), -1);
}

TEST(Codec, Utf8WithoutAWindowsCharacterBecomesQuestionMark) {
    EXPECT_EQ(utf8ToCp1252("a\xC4\x80z"), "a?z");          // Ā
    EXPECT_EQ(utf8ToCp1252("\xF0\x9F\x98\x80!"), "?!");     // an emoji is one character
    EXPECT_EQ(utf8ToCp1252("\xC3"), "?");                   // cut short
    EXPECT_EQ(utf8ToCp1252("\xFF"), "?");
}

TEST(Codec, LiteralSuffixGivesWindowsBytes) {
    EXPECT_EQ("åäöÅÄÖé€"_cp, "\xE5\xE4\xF6\xC5\xC4\xD6\xE9\x80");
    EXPECT_EQ(""_cp, "");
}

TEST(Codec, UpperCaseWithinTheCodePage) {
    EXPECT_EQ(upperCp1252("abz"), "ABZ");
    EXPECT_EQ(upperCp1252("åäöé"_cp), "ÅÄÖÉ"_cp);
    EXPECT_EQ(upperCp1252("šœžÿ"_cp), "ŠŒŽŸ"_cp);
    EXPECT_EQ(upperCp1252("ß÷µ1"_cp), "ß÷µ1"_cp);  // no upper case in the code page
    for (int b = 0; b < 256; ++b) {
        // Upper-casing never changes an upper-case letter again.
        char c = upperCp1252(static_cast<char>(b));
        EXPECT_EQ(upperCp1252(c), c);
    }
}

}  // namespace
}  // namespace pelora
