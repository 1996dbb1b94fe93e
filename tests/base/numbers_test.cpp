#include <gtest/gtest.h>

#include <limits>

#include "base/codec.h"
#include "base/numbers.h"

namespace pelora {
namespace {

TEST(NumericValue, ReadsTheLongestLeadingNumberSkippingBlanksTabsAndLineFeeds) {
    const std::pair<const char*, double> cases[] = {
        {" 3 ", 3},   {"25 elever", 25}, {"1 2", 12},       {"ca 25", 0},   {"", 0},
        {"- 5", -5},  {"+7", 7},         {"--1", 0},        {"1e3", 1000},  {"1E-2", 0.01},
        {"1e", 1},    {"1 e 2", 100},    {"e5", 0},         {"2.5e1x", 25}, {"3\t4", 34},
        {"1\n2", 12}, {"4\r5", 4},       {".5", 0.5},       {"5.", 5},      {"1.2.3", 1.2},
        {"2,7", 2},   {"1e-999", 0},     {"0.0000e999", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(NumericValue(text), value) << text;
}

TEST(NumericValue, IntegerFormRoundsHalvesToEvenAndClampsTheHuge) {
    const int most = std::numeric_limits<int>::max(), least = std::numeric_limits<int>::min();
    const std::pair<const char*, int> cases[] = {
        {"2.5", 2}, {"3.5", 4},   {"0.5", 0},      {"-2.5", -2},      {"-3.5", -4},
        {"2.6", 3}, {"-2.6", -3}, {"1e999", most}, {"-1e999", least},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(numericInteger(text), value) << text;
}

TEST(NumberWriting, SignSpaceAndTheFileForm) {
    EXPECT_EQ(withSignSpace(0) + withSignSpace(5) + withSignSpace(-5), " 0 5-5");
    EXPECT_EQ(fileNumber(-0.0) + fileNumber(120.0) + fileNumber(-3), " 0  120 -3 ");
}

// Plain decimal digits, never an exponent, at most 15 significant: what a label shows and a work
// file holds reads back the same and looks like a number to a school secretary.
TEST(NumberWriting, DecimalsArePlainDigitsWithAtMostFifteenSignificant) {
    const std::pair<double, const char*> cases[] = {{100000, "100000"},
                                                    {20.1 - 9, "11.1"},
                                                    {0.1 + 0.2, "0.3"},
                                                    {1500.5, "1500.5"},
                                                    {-40, "-40"},
                                                    {1e20, "100000000000000000000"},
                                                    {123456789012345678.0, "123456789012346000"},
                                                    {1e-7, "0.0000001"},
                                                    {-0.000123, "-0.000123"},
                                                    {2.0 / 3, "0.666666666666667"},
                                                    {-0.0, "0"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(plainNumber(value), text) << value;
        EXPECT_DOUBLE_EQ(NumericValue(plainNumber(value)), std::stod(text));
    }
}

TEST(Codec, EveryByteRoundTripsThroughUtf8) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(one)), one) << "byte " << b;
    }
    EXPECT_EQ(cp1252ToUtf8("\x80\x9F\xE5"), "€Ÿå");
    // What the code page cannot hold, or a broken sequence, is one "?" each.
    EXPECT_EQ(utf8ToCp1252("a\xC4\x80z\xF0\x9F\x98\x80!\xC3"), "a?z?!?");
    EXPECT_EQ(upperCp1252("azåéšœžÿß÷"_cp), "AZÅÉŠŒŽŸß÷"_cp);
}

// A text file is Windows-1252 unless its mark or its bytes say UTF-8 or UTF-16; a pair of UTF-16
// halves is one character, a lone half and what the code page lacks one "?", a NUL kept.
TEST(Codec, TextFilesOfEveryEncodingReadAsWindows1252) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> cases[] = {
        {"\xC5sa\t7A", "\xC5sa\t7A"},
        {"\xC3\x85sa", "\xC5sa"},
        {"\xEF\xBB\xBF\xC3\x96", "\xD6"},
        {"\xFF\xFE\xC5\0a\0\0\0\xAC\x20\x3D\xD8\x00\xDE\x00\x01\x3D\xD8z"s,
         "\xC5"
         "a\0\x80???"s},
        {"\xFE\xFF\0\xC5\xD8\x3D\xDE\x00\x01\x00\xD8\x3D"s, "\xC5???"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(textAsCp1252(bytes), text) << bytes;
}

}  // namespace
}  // namespace pelora
