#include "base/text.h"

#include <gtest/gtest.h>

#include <random>

#include "base/codec.h"

namespace pelora {
namespace {

// Only blanks are trimmed, never tabs; a base name is trimmed only when cut at a "(". The
// plain loops below pin the rest of TrimLines and CleanLines.
TEST(TextRules, Examples) {
    const std::tuple<std::string (*)(const std::string&), std::string, std::string> cases[] = {
        {TrimLines, "\tA ", "\tA"},
        {CommasToSpaces, ",A,B,", "A B"},
        {CommasToSpaces, "A, B", "A  B"},
        {NormalizeUpper, "  skön  ål  "_cp, "SKÖN  ÅL"_cp},
        {NormalizeUpper, "äé-x"_cp, "ÄÉ-X"_cp},
        {BaseName, "FOTBOLL-B", "FOTBOLL"},
        {BaseName, "DANS (2)", "DANS"},
        {BaseName, "-X", ""},
        {BaseName, "A (B)-C", "A"},
        {BaseName, "FOTBOLL - B", "FOTBOLL "}};
    for (const auto& [rule, input, expected] : cases)
        EXPECT_EQ(rule(input), expected) << testing::PrintToString(input);
}

// A line names a group when it starts with the base name followed, after any blanks, by the
// end of the line, "*", "(" or "-": not a longer word. Every later line starts at 4 or beyond. An
// empty wish text names nothing, so a pupil without wishes has not wished the group "-X". The
// random texts below pin the rest against the plain loop.
TEST(TextRules, FindWish) {
    const std::tuple<std::string, std::string, int> cases[] = {
        {"DANS (gärna)"_cp, "DANS", 1},   {"DANS X", "DANS", 0}, {"DANSA\r\nDANS-2", "DANS", 8},
        {"FOTBOLL -X", "FOTBOLL - B", 1}, {"", "-X", 0},
    };
    for (const auto& [wishes, group, position] : cases)
        EXPECT_EQ(FindWish(wishes, group), position) << testing::PrintToString(wishes) << group;
}

// The rules written as plain loops, which the fast versions must agree with. untilGone changes the
// first `from` into `to` and searches again from the start, until none is left.
std::string untilGone(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t p; (p = s.find(from)) != std::string::npos;)
        s.replace(p, from.size(), to);
    return s;
}

std::string loopTrimLines(const std::string& s) {
    return trimBlanks(untilGone(untilGone(trimBlanks(s), "\r\n ", "\r\n"), " \r\n", "\r\n"));
}

std::string loopCleanLines(const std::string& text) {
    std::string s = loopTrimLines(text);
    while (s.ends_with("\r\n"))
        s.erase(s.size() - 2);
    while (s.starts_with("\r\n"))
        s.erase(0, 2);
    return trimBlanks(untilGone(s, "\r\n\r\n", "\r\n"));
}

// Searches LF + key in LF + wishes, and goes on after the blanks when the key only began a word.
int loopFindWish(const std::string& wishes, const std::string& group) {
    if (wishes.empty()) return 0;
    const std::string key = "\n" + BaseName(group), text = "\n" + wishes;
    for (std::size_t at = 0; (at = text.find(key, at)) != std::string::npos;) {
        std::size_t k = at + key.size();
        while (k < text.size() && text[k] == ' ')
            ++k;
        const char c = k < text.size() ? text[k] : '\r';
        if (c == '\r' || c == '*' || c == '(' || c == '-') return static_cast<int>(at) + 1;
        at = k > at + 1 ? k - 1 : at + 1;
    }
    return 0;
}

// A pasted column or spreadsheet row stays one line of a field, one blank for each run of breaks.
TEST(TextRules, SingleLineAndExcerpt) {
    const std::pair<std::string, std::string> cases[] = {
        {"7A\r\n7B\r\n7C", "7A 7B 7C"}, {"7A\n7B\r7C\r\n", "7A 7B 7C "}, {"A\t\tB", "A B"},
        {"A\r\n\t\r\nB", "A B"},        {"  A  B ", "  A  B "},          {"", ""},
    };
    for (const auto& [text, line] : cases)
        EXPECT_EQ(singleLine(text), line) << testing::PrintToString(text);
    EXPECT_EQ(excerpt(std::string(60, 'x')), std::string(60, 'x'));
    EXPECT_EQ(excerpt(std::string(61, 'x')), std::string(60, 'x') + "…"_cp);
}

TEST(TextRules, EditDistanceStopsAboveItsLimit) {
    struct Case {
        const char* a;
        const char* b;
        std::size_t limit, distance;
    };
    const Case cases[] = {
        {"FOTBOL", "FOTBOLL", 2, 1}, {"DNAS", "DANS", 2, 2},     {"K\xD6R", "KOR", 2, 1},
        {"", "ABC", 5, 3},           {"ABC", "", 2, 3},          {"SIMNING", "DANS", 2, 3},
        {"ABCDEF", "ABCDEF", 0, 0},  {"XBCDEY", "ABCDEF", 1, 2}, {"AAAB", "BAAA", 9, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(editDistance(c.a, c.b, c.limit), c.distance) << c.a << " " << c.b;
}

TEST(TextRules, FastRoutinesEqualThePlainLoopsOnRandomTexts) {
    std::mt19937 random(1252);
    const char alphabet[] = {' ', ' ', '\r', '\n', 'A', 'B', '*', '(', '-', '\t'};
    auto randomText = [&](unsigned maxLength) {
        std::string s(random() % maxLength, ' ');
        for (char& c : s)
            c = alphabet[random() % sizeof alphabet];
        return s;
    };
    for (int n = 0; n < 50000; ++n) {
        const std::string text = randomText(16), group = randomText(6);
        ASSERT_EQ(TrimLines(text), loopTrimLines(text)) << testing::PrintToString(text);
        ASSERT_EQ(CleanLines(text), loopCleanLines(text)) << testing::PrintToString(text);
        ASSERT_EQ(FindWish(text, group), loopFindWish(text, group))
            << testing::PrintToString(text) << " / " << testing::PrintToString(group);
    }
}

// The upper-case form of a name as written: an escaped letter becomes its escaped capital, a
// character without one stays as it is, and the escape stays whole.
TEST(TextRules, NormalizeUpperOfEscapedLetters) {
    const std::pair<std::string, std::string> cases[] = {
        {" łukasz wiśniewski ", "ŁUKASZ WIŚNIEWSKI"},
        {"āĉđėğįĳķ", "ĀĈĐĖĞĮĲĶ"},
        {"ĺļľŀłńņň", "ĹĻĽĿŁŃŅŇ"},  // odd capitals
        {"ŋőŗśţũŵŷ", "ŊŐŖŚŢŨŴŶ"},
        {"źż", "ŹŻ"},
        {"ĀŁŹ", "ĀŁŹ"},
        {"ıİĸŉſ", "ıİĸŉſ"},  // no capital of their own
        {"жанна", "ЖАННА"},
        {"аяѐџ", "АЯЀЏ"},
        {"αωςσ", "ΑΩΣΣ"},
        {"ΑΩЖЯ", "ΑΩЖЯ"},
        {"ǆ😀ά", "ǆ😀ά"},  // beyond the alphabets named
        {"åäöéšœžÿ", "ÅÄÖÉŠŒŽŸ"},
    };
    for (const auto& [written, upper] : cases)
        EXPECT_EQ(asUtf8(NormalizeUpper(utf8AsWritten(written))), upper) << written;
}

// Text without escapes is upper-cased byte by byte as it always was, 0x8F and digits included.
TEST(TextRules, NormalizeUpperOfPlainTextIsByteByByte) {
    std::string every;
    for (int b = 1; b < 256; ++b)
        every += static_cast<char>(b);
    every +=
        "\x8F"
        "000032\x8F"
        "0000229a";
    std::string expected;
    for (char c : every)
        expected += upperCp1252(c);
    EXPECT_EQ(NormalizeUpper(every), expected);
}

}  // namespace
}  // namespace pelora
