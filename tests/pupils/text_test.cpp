#include "pupils/text.h"

#include <gtest/gtest.h>

#include <random>

#include "work/codec.h"

namespace pelora {
namespace {

// The rules written as their loops: find the first occurrence, change it, search again from
// the start. The fast versions must give the same texts.
std::string loopTrimLines(std::string s) {
    s = trimBlanks(s);
    for (std::size_t p; (p = s.find("\r\n ")) != std::string::npos;) s.erase(p + 2, 1);
    for (std::size_t p; (p = s.find(" \r\n")) != std::string::npos;) s.erase(p, 1);
    return trimBlanks(s);
}

std::string loopCleanLines(std::string s) {
    s = loopTrimLines(s);
    while (s.size() >= 2 && s.compare(s.size() - 2, 2, "\r\n") == 0) s.erase(s.size() - 2);
    while (s.compare(0, 2, "\r\n") == 0) s.erase(0, 2);
    for (std::size_t p; (p = s.find("\r\n\r\n")) != std::string::npos;) s.erase(p, 2);
    return trimBlanks(s);
}

TEST(TextRules, FastTrimmingEqualsTheLoopsOnRandomTexts) {
    std::mt19937 random(1252);
    const char alphabet[] = {' ', ' ', '\r', '\n', 'A', 'b', '\t'};
    for (int n = 0; n < 20000; ++n) {
        std::string s;
        int length = static_cast<int>(random() % 14);
        for (int k = 0; k < length; ++k) s.push_back(alphabet[random() % sizeof alphabet]);
        ASSERT_EQ(TrimLines(s), loopTrimLines(s)) << testing::PrintToString(s);
        ASSERT_EQ(CleanLines(s), loopCleanLines(s)) << testing::PrintToString(s);
    }
}

struct Case {
    std::string input;
    std::string expected;
};

TEST(TextRules, TrimLines) {
    const Case cases[] = {
        {"  A  \r\n   B ", "A\r\nB"},
        {"A\r\n\r\nB", "A\r\n\r\nB"},  // an empty line stays
        {"\tA ", "\tA"},               // only blanks are trimmed
        {"A \r\n \r\n B", "A\r\n\r\nB"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(TrimLines(c.input), c.expected) << c.input;
}

TEST(TextRules, CleanLines) {
    const Case cases[] = {
        {"\r\nA\r\n\r\n\r\n B \r\n", "A\r\nB"},
        {"A\r\n \r\nB", "A\r\nB"},
        {"\r\n\r\n", ""},
        {"A\r\r\nB", "A\r\r\nB"},  // a lone CR is no line break
    };
    for (const Case& c : cases) EXPECT_EQ(CleanLines(c.input), c.expected) << c.input;
}

TEST(TextRules, CommasToSpaces) {
    const Case cases[] = {
        {",A,B,", "A B"},
        {"A, B", "A  B"},
        {" 7A, 7B ", "7A  7B"},
        {",,,", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CommasToSpaces(c.input), c.expected) << c.input;
}

TEST(TextRules, NormalizeUpper) {
    EXPECT_EQ(NormalizeUpper("  skön  ål  "_cp), "SKÖN  ÅL"_cp);
    EXPECT_EQ(NormalizeUpper("é-Bana"_cp), "É-BANA"_cp);
    EXPECT_EQ(NormalizeUpper("7a"), "7A");
    EXPECT_EQ(NormalizeUpper("a\r\nb "), "A\r\nB");
}

TEST(TextRules, BaseName) {
    const Case cases[] = {
        {"FOTBOLL-B", "FOTBOLL"}, {"DANS (2)", "DANS"},   {"DANS", "DANS"},
        {"-X", ""},               {"A (B)-C", "A"},       {"FOTBOLL - B", "FOTBOLL "},
        {" DANS ", " DANS "},     {"X(Y", "X"},           {"(", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(BaseName(c.input), c.expected) << c.input;
}

struct WishCase {
    std::string wishes;
    std::string group;
    int position;
};

TEST(TextRules, FindWish) {
    const std::string dansFotboll = "DANS\r\nFOTBOLL  *P1";
    const WishCase cases[] = {
        {dansFotboll, "FOTBOLL", 7},
        {dansFotboll, "DANS-2", 1},
        {dansFotboll, "FOT", 0},  // only the start of a longer word
        {"", "DANS", 0},
        {"DANS", "DANS", 1},                  // the key ends the text
        {"DANS   ", "DANS", 1},               // blanks, then the end
        {"DANS (gärna)"_cp, "DANS", 1},       // "("
        {"DANS-2", "DANS", 1},                // "-"
        {"DANS*", "DANS", 1},                 // "*"
        {"DANSA", "DANS", 0},
        {"DANSA\r\nDANS", "DANS", 8},         // the longer word is passed over
        {"X\r\nDANS", "DANS", 4},             // the second line starts at 4
        {"FOTBOLL", "FOTBOLL - B", 0},        // the key keeps its trailing blank
        {"FOTBOLL - A", "FOTBOLL - B", 1},
        {"FOTBOLL -X", "FOTBOLL - B", 1},
        {"dans", "DANS", 0},                  // exact comparison
        {"A\r\nBDANS\r\nDANS", "DANS", 11},   // only at the start of a line
        {"DANS X", "DANS", 0},
    };
    for (const WishCase& c : cases) {
        EXPECT_EQ(FindWish(c.wishes, c.group), c.position)
            << testing::PrintToString(c.wishes) << " / " << c.group;
    }
}

TEST(TextRules, FindWishWithAnEmptyBaseNameEnds) {
    // A group named "-X" has an empty base name: it matches only a line that is empty or goes
    // straight on with "*", "(" or "-", and the search always comes to an end.
    EXPECT_EQ(FindWish("DANS\r\nFOTBOLL", "-X"), 0);
    EXPECT_EQ(FindWish("DANS\r\n-X", "-X"), 7);
    EXPECT_EQ(FindWish("", "-X"), 1);
}

// FindWish written as the rule reads: search LF + key in LF + wishes from `start`, look past
// the blanks after the key, and search again from there when the key only began a word.
int loopFindWish(const std::string& wishes, const std::string& group) {
    const std::string key = BaseName(group);
    const std::string haystack = "\n" + wishes;
    const std::string withEnd = wishes + "\r";
    std::size_t start = 1;
    for (;;) {
        std::size_t found = haystack.find("\n" + key, start - 1);
        if (found == std::string::npos) return 0;
        std::size_t p = found + 1;
        std::size_t k = p + key.size();
        while (k <= withEnd.size() && withEnd[k - 1] == ' ') ++k;
        char c = k <= withEnd.size() ? withEnd[k - 1] : '\r';
        if (c == '\r' || c == '*' || c == '(' || c == '-') return static_cast<int>(p);
        start = k > p ? k : p + 1;
    }
}

TEST(TextRules, FindWishEqualsTheRuleOnRandomTexts) {
    std::mt19937 random(1252);
    const char alphabet[] = {' ', '\r', '\n', 'A', 'B', '*', '(', '-', 'P'};
    auto randomText = [&](int maxLength) {
        std::string s;
        int length = static_cast<int>(random() % maxLength);
        for (int k = 0; k < length; ++k) s.push_back(alphabet[random() % sizeof alphabet]);
        return s;
    };
    for (int n = 0; n < 50000; ++n) {
        const std::string wishes = randomText(16);
        const std::string group = randomText(6);
        ASSERT_EQ(FindWish(wishes, group), loopFindWish(wishes, group))
            << testing::PrintToString(wishes) << " / " << testing::PrintToString(group);
    }
}

TEST(TextRules, ReplaceAll) {
    EXPECT_EQ(replaceAll("A//B//C", "//", "\r\n"), "A\r\nB\r\nC");
    EXPECT_EQ(replaceAll("AAA", "AA", "A"), "AA");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
}

}  // namespace
}  // namespace pelora
