#include "base/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace pelora {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Plain decimal digits, never an exponent, at most 15 significant digits (so 20.1 - 9 shows as
// 11.1); locale-independent.
std::string plainDecimal(double value) {
    if (!std::isfinite(value)) return "0";
    char buffer[64];
    // The 15 significant digits and the power of ten of the first: d.dddddddddddddde+XXX.
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::scientific, 14);
    if (ec != std::errc()) return "0";
    const std::string text(buffer, end);
    const std::size_t e = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    const int exponent = std::stoi(text.substr(e + 1));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    if (digits == "0") return "0";

    std::string result;
    const int point = exponent + 1;  // digits before the decimal point
    if (point <= 0) {
        result = "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else if (static_cast<std::size_t>(point) >= digits.size()) {
        result = digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    } else {
        result = digits.substr(0, static_cast<std::size_t>(point)) + "." +
                 digits.substr(static_cast<std::size_t>(point));
    }
    return value < 0 ? "-" + result : result;
}

}  // namespace

double NumericValue(const std::string& text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') s.push_back(c);
    }

    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    std::size_t mantissaStart = i;
    std::size_t intDigits = 0;
    while (i < s.size() && isDigit(s[i]))
        ++i, ++intDigits;
    std::size_t fracDigits = 0;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++fracDigits;
    }
    if (intDigits + fracDigits == 0) return 0.0;
    std::size_t mantissaEnd = i;

    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            expNegative = s[j] == '-';
            ++j;
        }
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j])) {
                if (exponent < 100000) exponent = exponent * 10 + (s[j] - '0');
                ++j;
            }
            if (expNegative) exponent = -exponent;
            mantissaEnd = j;
        }
    }

    // from_chars takes no leading '+', and a lone trailing '.' is a number to us ("5." is 5).
    std::string number = s.substr(mantissaStart, mantissaEnd - mantissaStart);
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: which one depends on where the first
        // significant digit stands.
        long long magnitude = 0;
        std::size_t k = 0;
        long long position = static_cast<long long>(intDigits);
        bool found = false;
        for (; k < number.size() && number[k] != 'e' && number[k] != 'E'; ++k) {
            if (number[k] == '.') continue;
            if (number[k] != '0') {
                found = true;
                break;
            }
            --position;
        }
        magnitude = position + exponent;
        value = (found && magnitude > 0) ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    (void)ptr;
    return negative ? -value : value;
}

int toInteger(double value) {
    if (std::isnan(value)) return 0;
    constexpr double low = std::numeric_limits<int>::min();
    constexpr double high = std::numeric_limits<int>::max();
    if (value <= low) return std::numeric_limits<int>::min();
    if (value >= high) return std::numeric_limits<int>::max();
    double whole = std::floor(value);
    double rest = value - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    return static_cast<int>(whole);
}

int numericInteger(const std::string& text) {
    return toInteger(NumericValue(text));
}

std::string withSignSpace(long long n) {
    return n < 0 ? std::to_string(n) : " " + std::to_string(n);
}

std::string withSignSpace(double value) {
    std::string digits = plainNumber(value);
    return value < 0 ? digits : " " + digits;
}

std::string plainNumber(long long n) {
    return std::to_string(n);
}

std::string plainNumber(double value) {
    return plainDecimal(value);
}

std::string fileNumber(long long n) {
    return withSignSpace(n) + " ";
}

std::string fileNumber(double value) {
    return withSignSpace(value) + " ";
}

}  // namespace pelora
