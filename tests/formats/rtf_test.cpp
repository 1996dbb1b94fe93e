// Reading RTF: what each small document shows, and how it looks.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/codec.h"
#include "formats/rtf.h"

namespace pelora {
namespace {

TEST(Rtf, TheTextOfSmallDocuments) {
    const std::pair<const char*, std::u32string> cases[] = {
        {R"({\rtf1\ansi Hej v\'e4rlden\par Rad 2})", U"Hej världen\nRad 2"},
        {R"({\rtf1 \'c9\'99\'9F})", U"É™Ÿ"},
        {R"({\rtf1 a\line b\tab c\~d\_e})", U"a\u2028b\tc\u00a0d-e"},
        {R"({\rtf1 \\ \{ \} })", U"\\ { } "},
        // \uN stands for its character; the next character (\uc1) is only for other readers.
        {R"({\rtf1 \u8364?\u-3844?x})", U"€\uf0fcx"},
        {R"({\rtf1\uc2 \u229\'e5\'e5 !})", U"å !"},
        {R"({\rtf1\uc0 \u246 x})", U"öx"},
        // Destinations without text are skipped, nested or not; groups change nothing else.
        {R"({\rtf1{\fonttbl{\f0\froman Times;}}{\colortbl;\red255\green0\blue0;}{\*\generator Ord;}A{\info{\title T}}{\stylesheet{\s1 Rubrik;}}{\userprops{\propname P}}B{\*\unknown {C}}D})",
         U"ABD"},
        {R"({\rtf1 {a{b{c}}}d})", U"abcd"},
        {"{\\rtf1 rad\r\nbryt\\\r\nny}", U"radbryt\nny"},
        {R"({\rtf1 \bin3 {{{x})", U"x"},
        // Bad RTF shows what it can.
        {R"({\rtf1 a}}}} b {{{ c)", U"a b  c"},
        {R"(\'zz\'e\uabc \)", U"zze"},
        {"", U""},
    };
    for (const auto& [rtf, text] : cases)
        EXPECT_EQ(readRtf(rtf).text, text) << rtf;
}

TEST(Rtf, FormattingRunsFollowTheControlWordsAndGroups) {
    const RichText rich = readRtf(
        R"({\rtf1\deff0{\fonttbl{\f0 Times;}{\f1\fswiss Arial;}}{\colortbl;\red0\green0\blue255;})"
        R"(\fs24 a{\b\fs32\f1 B{\i\ul C}\ul0 D}\cf1 e\plain f\b0 g})");
    EXPECT_EQ(rich.text, U"aBCDefg");
    const TextFormat plain, heading{.bold = true, .halfPoints = 32, .font = "Arial"},
        both{true, true, true, 32, "Arial"}, blue{.colour = 0x0000FF}, reset{.font = "Times"};
    const std::vector<TextRun> expected = {{0, 1, plain},   {1, 1, heading}, {2, 1, both},
                                           {3, 1, heading}, {4, 1, blue},    {5, 2, reset}};
    EXPECT_EQ(rich.runs, expected);
    EXPECT_EQ(rich.slice(2, 3).runs,
              (std::vector<TextRun>{{0, 1, both}, {1, 1, heading}, {2, 1, blue}}));
}

// Beyond 200 groups deep a brace is text's: the format set inside it lasts past its end.
TEST(Rtf, GroupsBeyondTheDeepestChangeNoFormat) {
    const RichText rich =
        readRtf("{\\rtf1" + std::string(198, '{') + "{\\b x}y" + std::string(199, '}'));
    EXPECT_EQ(rich.text, U"xy");
    EXPECT_EQ(rich.runs, (std::vector<TextRun>{{0, 2, {.bold = true}}}));
}

// Every group that word processors write beside the text (tests/data/help/dolda-grupper.rtf has
// one of each kind the reader knows, each with text of its own) shows nothing.
TEST(Rtf, TheGroupsBesideTheTextShowNothing) {
    std::ifstream file(PELORA_TEST_DATA "/help/dolda-grupper.rtf", std::ios::binary);
    const std::string rtf{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(readRtf(rtf).text, U"Synligt text.");
}

TEST(Rtf, UnderliningEndsAtUl0AndUlnone) {
    for (const char* end : {"\\ul0 ", "\\ulnone "}) {
        const RichText rich = readRtf(std::string("{\\rtf1 \\ul a") + end + "b}");
        EXPECT_EQ(rich.runs, (std::vector<TextRun>{{0, 1, {.underline = true}}, {1, 1, {}}}))
            << end;
    }
}

TEST(Rtf, HeadingsAreFoundWithLetterCaseIgnored) {
    const std::u32string text = unicodeOf("Innehåll: 2. SKAPA GRUPPER\n2. Skapa grupper"_cp);
    EXPECT_EQ(findIgnoringCase(text, unicodeOf("2. skapa grupper")), 10u);
    EXPECT_EQ(findIgnoringCase(text, unicodeOf("2. skapa grupper"), 11), 27u);
    EXPECT_EQ(findIgnoringCase(text, unicodeOf("INNEHÅLL"_cp)), 0u);
    EXPECT_EQ(findIgnoringCase(text, unicodeOf("3. Inskrivning")), std::u32string::npos);
}

}  // namespace
}  // namespace pelora
