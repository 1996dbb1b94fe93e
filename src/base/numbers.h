// Numbers in Pelora: the one lenient reader for every number typed or read from a file,
// its integer form, and the two ways numbers are written into texts and files.
#pragma once

#include <string>

namespace pelora {

// The value of the longest leading decimal number in the text (sign, digits, "." fraction,
// exponent); blanks, tabs and line feeds anywhere are skipped; no number gives 0. The decimal
// separator is always ".", whatever the locale.
double NumericValue(const std::string& text);

// Nearest whole number, halves to the even neighbour; values beyond the int range are clamped.
int toInteger(double value);

// NumericValue taken as an integer.
int numericInteger(const std::string& text);

// " 5", "-5": a blank stands where a negative number has its minus sign.
std::string withSignSpace(long long n);
std::string withSignSpace(double value);

// "5", "-5".
std::string plainNumber(long long n);
std::string plainNumber(double value);

// A number as the work file holds it: with sign space and one trailing blank (" 5 ").
std::string fileNumber(long long n);
std::string fileNumber(double value);

inline std::string withSignSpace(int n) {
    return withSignSpace(static_cast<long long>(n));
}
inline std::string plainNumber(int n) {
    return plainNumber(static_cast<long long>(n));
}
inline std::string fileNumber(int n) {
    return fileNumber(static_cast<long long>(n));
}

}  // namespace pelora
