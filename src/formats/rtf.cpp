#include "formats/rtf.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "base/codec.h"

namespace pelora {

namespace {

// Destinations whose text is no part of what the document shows.
bool skippedDestination(const std::string& word) {
    static const std::array<const char*, 34> words = {"stylesheet",
                                                      "info",
                                                      "pict",
                                                      "object",
                                                      "header",
                                                      "headerl",
                                                      "headerr",
                                                      "headerf",
                                                      "footer",
                                                      "footerl",
                                                      "footerr",
                                                      "footerf",
                                                      "footnote",
                                                      "annotation",
                                                      "listtable",
                                                      "listoverridetable",
                                                      "rsidtbl",
                                                      "generator",
                                                      "xmlnstbl",
                                                      "themedata",
                                                      "colorschememapping",
                                                      "datastore",
                                                      "latentstyles",
                                                      "fldinst",
                                                      "bkmkstart",
                                                      "bkmkend",
                                                      "pgdsctbl",
                                                      "revtbl",
                                                      "filetbl",
                                                      "atnid",
                                                      "atnauthor",
                                                      "private",
                                                      "userprops",
                                                      "docvar"};
    return std::find(words.begin(), words.end(), word) != words.end();
}

enum class Destination { Text, FontTable, ColourTable, Skipped };

struct GroupState {
    TextFormat format;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;  // \ucN: characters that stand in for a \uN
    int fontNumber = -1;  // inside the font table: the font being named
};

class Reader {
public:
    explicit Reader(const std::string& bytes) : m_in(bytes) { m_stack.emplace_back(); }

    RichText read() {
        while (m_at < m_in.size()) {
            const char c = m_in[m_at++];
            switch (c) {
                case '{':
                    openGroup();
                    break;
                case '}':
                    closeGroup();
                    break;
                case '\\':
                    control();
                    break;
                case '\r':
                case '\n':
                    break;
                default:
                    character(cp1252ToUnicode(static_cast<unsigned char>(c)));
                    break;
            }
        }
        return std::move(m_result);
    }

private:
    // Groups nested deeper than this are read as if they were not groups, so that no input can
    // grow the stack without end.
    static constexpr std::size_t kDeepest = 200;

    GroupState& state() { return m_stack.back(); }

    void openGroup() {
        if (m_stack.size() >= kDeepest) {
            ++m_tooDeep;
            return;
        }
        m_stack.push_back(m_stack.back());
    }

    void closeGroup() {
        if (m_tooDeep > 0) {
            --m_tooDeep;
            return;
        }
        if (m_stack.size() > 1) m_stack.pop_back();
    }

    void control() {
        if (m_at >= m_in.size()) return;
        const char c = m_in[m_at];
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            word();
            return;
        }
        ++m_at;
        switch (c) {
            case '\'': {
                const int high = hexDigit(m_at), low = hexDigit(m_at + 1);
                if (high < 0 || low < 0) return;
                m_at += 2;
                character(cp1252ToUnicode(static_cast<unsigned char>(high * 16 + low)));
                return;
            }
            case '\\':
            case '{':
            case '}':
                character(static_cast<unsigned char>(c));
                return;
            case '~':
                character(0xA0);
                return;
            case '_':
                character('-');
                return;
            case '*':
                state().destination = Destination::Skipped;
                return;
            case '\r':
            case '\n':
                character('\n');
                return;
            default:
                return;  // \- and the symbols without meaning here
        }
    }

    int hexDigit(std::size_t at) const {
        if (at >= m_in.size()) return -1;
        const char c = m_in[at];
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    void word() {
        std::string name;
        while (
            m_at < m_in.size() && name.size() < 32 &&
            ((m_in[m_at] >= 'a' && m_in[m_at] <= 'z') || (m_in[m_at] >= 'A' && m_in[m_at] <= 'Z')))
            name += m_in[m_at++];
        bool hasParameter = false;
        bool negative = false;
        long long parameter = 0;
        if (m_at < m_in.size() && m_in[m_at] == '-') {
            negative = true;
            ++m_at;
        }
        for (int digits = 0; m_at < m_in.size() && m_in[m_at] >= '0' && m_in[m_at] <= '9';) {
            if (digits++ < 10) parameter = parameter * 10 + (m_in[m_at] - '0');
            hasParameter = true;
            ++m_at;
        }
        if (negative) parameter = -parameter;
        if (m_at < m_in.size() && m_in[m_at] == ' ') ++m_at;  // the delimiter belongs to the word
        apply(name, hasParameter,
              static_cast<int>(std::clamp<long long>(parameter, -1000000, 1000000)));
    }

    void apply(const std::string& name, bool hasParameter, int parameter) {
        GroupState& s = state();
        TextFormat& f = s.format;
        const bool on = !hasParameter || parameter != 0;
        if (name == "par") {
            character('\n');
        } else if (name == "line") {
            character(0x2028);
        } else if (name == "tab") {
            character('\t');
        } else if (name == "b") {
            f.bold = on;
        } else if (name == "i") {
            f.italic = on;
        } else if (name == "ul") {
            f.underline = on;
        } else if (name == "ulnone") {
            f.underline = false;
        } else if (name == "plain") {
            f = TextFormat{};
            f.font = m_defaultFont;
        } else if (name == "fs" && hasParameter) {
            f.halfPoints = std::clamp(parameter, 2, 2000);
        } else if (name == "f" && hasParameter) {
            if (s.destination == Destination::FontTable) {
                s.fontNumber = parameter;
                m_fontName.clear();
            } else {
                const auto font = m_fonts.find(parameter);
                f.font = font == m_fonts.end() ? std::string() : font->second;
            }
        } else if (name == "deff" && hasParameter) {
            m_defaultFontNumber = parameter;
        } else if (name == "cf" && hasParameter) {
            f.colour = parameter >= 0 && static_cast<std::size_t>(parameter) < m_colours.size()
                           ? m_colours[static_cast<std::size_t>(parameter)]
                           : 0;
        } else if (name == "uc" && hasParameter) {
            s.unicodeSkip = std::clamp(parameter, 0, 10);
        } else if (name == "u" && hasParameter) {
            const long long code = parameter < 0 ? parameter + 65536 : parameter;
            character(code > 0 && code < 0x110000 ? static_cast<char32_t>(code) : U'?');
            m_fallbackLeft = s.unicodeSkip;
        } else if (name == "fonttbl") {
            s.destination = Destination::FontTable;
        } else if (name == "colortbl") {
            s.destination = Destination::ColourTable;
            m_colour = 0;
        } else if (name == "red" || name == "green" || name == "blue") {
            const std::uint32_t value = static_cast<std::uint32_t>(std::clamp(parameter, 0, 255));
            const int shift = name == "red" ? 16 : name == "green" ? 8 : 0;
            m_colour = (m_colour & ~(0xFFu << shift)) | (value << shift);
        } else if (name == "bin" && hasParameter) {
            m_at = std::min(m_in.size(), m_at + static_cast<std::size_t>(std::max(parameter, 0)));
        } else if (skippedDestination(name)) {
            s.destination = Destination::Skipped;
        }
    }

    void character(char32_t c) {
        if (m_fallbackLeft > 0) {
            --m_fallbackLeft;
            return;
        }
        GroupState& s = state();
        switch (s.destination) {
            case Destination::Skipped:
                return;
            case Destination::FontTable:
                if (c == ';') {
                    if (s.fontNumber >= 0) m_fonts[s.fontNumber] = m_fontName;
                    if (s.fontNumber == m_defaultFontNumber) m_defaultFont = m_fontName;
                } else if (c < 0x100 && m_fontName.size() < 64) {
                    m_fontName += static_cast<char>(c);
                }
                return;
            case Destination::ColourTable:
                if (c == ';' && m_colours.size() < 1000) {
                    m_colours.push_back(m_colour);
                    m_colour = 0;
                }
                return;
            case Destination::Text:
                break;
        }
        std::vector<TextRun>& runs = m_result.runs;
        if (runs.empty() || !(runs.back().format == s.format)) {
            runs.push_back({m_result.text.size(), 0, s.format});
        }
        ++runs.back().length;
        m_result.text.push_back(c);
    }

    const std::string& m_in;
    std::size_t m_at = 0;
    std::vector<GroupState> m_stack;
    std::size_t m_tooDeep = 0;
    int m_fallbackLeft = 0;
    std::map<int, std::string> m_fonts;
    std::string m_fontName;
    int m_defaultFontNumber = 0;
    std::string m_defaultFont;
    std::vector<std::uint32_t> m_colours;
    std::uint32_t m_colour = 0;
    RichText m_result;
};

char32_t folded(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
    return c;
}

}  // namespace

RichText readRtf(const std::string& bytes) {
    return Reader(bytes).read();
}

std::size_t findIgnoringCase(const std::u32string& text, const std::u32string& what,
                             std::size_t from) {
    if (what.empty() || from > text.size() || what.size() > text.size() - from) {
        return what.empty() && from <= text.size() ? from : std::u32string::npos;
    }
    for (std::size_t at = from; at + what.size() <= text.size(); ++at) {
        std::size_t k = 0;
        while (k < what.size() && folded(text[at + k]) == folded(what[k]))
            ++k;
        if (k == what.size()) return at;
    }
    return std::u32string::npos;
}

std::u32string unicodeOf(const std::string& cp1252) {
    std::u32string text;
    text.reserve(cp1252.size());
    for (char c : cp1252)
        text.push_back(cp1252ToUnicode(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace pelora
