#include "base/codec.h"

namespace pelora {

char upperCp1252(char c) {
    auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 32);
    switch (b) {
        case 0x9A:
            return static_cast<char>(0x8A);  // š
        case 0x9C:
            return static_cast<char>(0x8C);  // œ
        case 0x9E:
            return static_cast<char>(0x8E);  // ž
        case 0xFF:
            return static_cast<char>(0x9F);  // ÿ
        default:
            return c;
    }
}

namespace {

void appendAsWritten(std::string& out, char32_t codePoint) {
    const int byte = unicodeToCp1252(codePoint);
    if (byte >= 0) {
        out.push_back(static_cast<char>(byte));
    } else if (needsEscape(codePoint)) {
        char escape[kEscapeLength];
        escape[0] = static_cast<char>(kEscapeByte);
        for (std::size_t k = kEscapeLength - 1; k >= 1; --k, codePoint /= 10)
            escape[k] = static_cast<char>('0' + codePoint % 10);
        out.append(escape, kEscapeLength);
    } else {
        out.push_back('?');
    }
}

// The upper case of a letter that travels as an escape, for the alphabets of the names a school
// meets beyond the code page; any other character is its own upper case.
char32_t upperOfEscaped(char32_t cp) {
    if (cp >= 0x100 && cp <= 0x17F) {
        // Without a pair of their own: İ, ı (whose upper I would make it the letter i), ĸ, ŉ, ſ.
        if (cp == 0x130 || cp == 0x131 || cp == 0x138 || cp == 0x149 || cp == 0x17F) return cp;
        // Ĺ..ň and Ź..ž pair an odd upper with an even lower, the rest an even upper with an odd
        // lower.
        const bool oddUpper = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
        return cp % 2 == (oddUpper ? 0u : 1u) ? cp - 1 : cp;
    }
    if (cp == 0x3C2) return 0x3A3;  // final sigma
    if (cp >= 0x3B1 && cp <= 0x3C9) return cp - 0x20;
    if (cp >= 0x430 && cp <= 0x44F) return cp - 0x20;
    if (cp >= 0x450 && cp <= 0x45F) return cp - 0x50;
    return cp;
}

}  // namespace

std::string upperCp1252(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Character c = characterAt(text, i);
        if (c.length == 1) {
            result.push_back(upperCp1252(text[i]));
        } else {
            appendAsWritten(result, upperOfEscaped(c.codePoint));
        }
        i += c.length;
    }
    return result;
}

Character characterAt(const std::string& text, std::size_t i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b == kEscapeByte && i + kEscapeLength <= text.size()) {
        char32_t cp = 0;
        std::size_t k = 1;
        for (; k < kEscapeLength && text[i + k] >= '0' && text[i + k] <= '9'; ++k)
            cp = cp * 10 + static_cast<char32_t>(text[i + k] - '0');
        if (k == kEscapeLength && needsEscape(cp)) return {cp, kEscapeLength};
    }
    return {cp1252ToUnicode(b), 1};
}

std::size_t characterCount(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i += characterAt(text, i).length)
        ++count;
    return count;
}

void dropLastCharacter(std::string& text) {
    if (text.empty()) return;
    // No escape's digit is 0x8F, so an escape that ends the text starts kEscapeLength before.
    const std::size_t from = text.size() >= kEscapeLength ? text.size() - kEscapeLength : 0;
    const bool escape = text.size() >= kEscapeLength && characterAt(text, from).length > 1;
    text.resize(escape ? from : text.size() - 1);
}

std::string codePointsAsWritten(const std::u32string& codePoints) {
    std::string out;
    out.reserve(codePoints.size());
    for (char32_t cp : codePoints)
        appendAsWritten(out, cp);
    return out;
}

std::string utf8AsWritten(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Char c = utf8At(utf8.data(), utf8.size(), i);
        if (c.whole) {
            appendAsWritten(out, c.codePoint);
        } else {
            out.push_back('?');
        }
        i += c.length;
    }
    return out;
}

std::string asUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (std::size_t i = 0; i < text.size();) {
        const Character c = characterAt(text, i);
        const char32_t cp = c.codePoint;
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
        i += c.length;
    }
    return out;
}

std::string withoutEscapes(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Character c = characterAt(text, i);
        out.push_back(c.length == 1 ? text[i] : '?');
        i += c.length;
    }
    return out;
}

std::string cp1252ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text) {
        char32_t cp = cp1252ToUnicode(static_cast<unsigned char>(c));
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::string utf8ToCp1252(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        Utf8Step step = cp1252FromUtf8At(text.data(), text.size(), i);
        out.push_back(step.byte < 0 ? '?' : static_cast<char>(step.byte));
        i += step.length;
    }
    return out;
}

namespace {

bool validUtf8WithMoreThanAscii(const std::string& bytes) {
    bool beyondAscii = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t cp = 0;
        if ((b & 0xE0) == 0xC0) {
            length = 2;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            length = 3;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            length = 4;
            cp = b & 0x07;
        } else {
            return false;
        }
        if (i + length > bytes.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and code points beyond Unicode are no UTF-8.
        static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < smallest[length] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return false;
        beyondAscii = true;
        i += length;
    }
    return beyondAscii;
}

void appendCodePoint(std::string& out, char32_t cp, bool asWritten) {
    if (asWritten) return appendAsWritten(out, cp);
    const int byte = unicodeToCp1252(cp);
    out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
}

std::string utf16ToCp1252(const std::string& bytes, bool bigEndian, bool asWritten) {
    std::string out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        appendCodePoint(out, cp, asWritten);
    }
    return out;
}

std::string decodedText(const std::string& bytes, bool asWritten) {
    const auto fromUtf8 = asWritten ? utf8AsWritten : utf8ToCp1252;
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) return fromUtf8(bytes.substr(3));
    if (bytes.rfind("\xFF\xFE", 0) == 0) return utf16ToCp1252(bytes, false, asWritten);
    if (bytes.rfind("\xFE\xFF", 0) == 0) return utf16ToCp1252(bytes, true, asWritten);
    if (validUtf8WithMoreThanAscii(bytes)) return fromUtf8(bytes);
    return bytes;
}

}  // namespace

std::string textAsCp1252(const std::string& bytes) {
    return decodedText(bytes, false);
}

std::string textAsWritten(const std::string& bytes) {
    return decodedText(bytes, true);
}

}  // namespace pelora
