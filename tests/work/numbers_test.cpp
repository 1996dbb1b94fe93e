#include "work/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pelora {
namespace {

struct ValueCase {
    const char* text;
    double value;
};

TEST(NumericValue, ReadsTheLeadingNumberLeniently) {
    const ValueCase cases[] = {
        {" 3 ", 3},          {"25 elever", 25},  {"1 2", 12},         {"ca 25", 0},
        {"", 0},             {"2.5", 2.5},       {"-5", -5},          {"+7", 7},
        {"- 5", -5},         {"1e3", 1000},      {"1E-2", 0.01},      {"2.5e1x", 25},
        {"1e", 1},           {"1e+", 1},         {"3\t4", 34},        {"1\n2", 12},
        {"4\r5", 4},         {".5", 0.5},        {"5.", 5},           {".", 0},
        {"-", 0},            {"1.2.3", 1.2},     {"2,7", 2},          {"0020", 20},
        {"e5", 0},           {"--1", 0},         {"12abc", 12},       {"1 e 2", 100},
    };
    for (const ValueCase& c : cases) {
        EXPECT_DOUBLE_EQ(NumericValue(c.text), c.value) << "text \"" << c.text << "\"";
    }
}

TEST(NumericValue, HugeAndTinyExponentsStayFinite) {
    EXPECT_TRUE(std::isinf(NumericValue("1e999")));
    EXPECT_LT(NumericValue("-1e999"), 0);
    EXPECT_EQ(NumericValue("1e-999"), 0.0);
    EXPECT_EQ(NumericValue("0.0000e999"), 0.0);
    EXPECT_EQ(numericInteger("1e999"), std::numeric_limits<int>::max());
    EXPECT_EQ(numericInteger("-1e999"), std::numeric_limits<int>::min());
}

TEST(NumericValue, IntegerFormRoundsHalvesToEven) {
    const ValueCase cases[] = {
        {"2.5", 2}, {"3.5", 4},  {"0.5", 0},   {"1.5", 2},   {"-2.5", -2}, {"-3.5", -4},
        {"2.4", 2}, {"2.6", 3},  {"-2.6", -3}, {"1.5e0", 2}, {"abc", 0},   {"6.25", 6},
        {"7.5", 8}, {"6.5", 6},
    };
    for (const ValueCase& c : cases) {
        EXPECT_EQ(numericInteger(c.text), static_cast<int>(c.value)) << "text \"" << c.text << "\"";
    }
}

TEST(NumberWriting, SignSpacePlainAndFileForms) {
    EXPECT_EQ(withSignSpace(0), " 0");
    EXPECT_EQ(withSignSpace(5), " 5");
    EXPECT_EQ(withSignSpace(-5), "-5");
    EXPECT_EQ(plainNumber(0), "0");
    EXPECT_EQ(plainNumber(5), "5");
    EXPECT_EQ(plainNumber(-5), "-5");
    EXPECT_EQ(fileNumber(3), " 3 ");
    EXPECT_EQ(fileNumber(-3), "-3 ");
    EXPECT_EQ(fileNumber(120.0), " 120 ");
    EXPECT_EQ(fileNumber(-0.0), " 0 ");
    EXPECT_EQ(plainNumber(2.5), "2.5");
    EXPECT_EQ(plainNumber(-3.0), "-3");
}

TEST(NumberWriting, FractionalPositionsReadBackExactly) {
    for (double v : {0.1, 120.25, -7.5, 1234.5678, 1e20, 3.0e-5}) {
        EXPECT_EQ(NumericValue(fileNumber(v)), v) << fileNumber(v);
    }
}

}  // namespace
}  // namespace pelora
