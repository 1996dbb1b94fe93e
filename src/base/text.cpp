#include "base/text.h"

#include <algorithm>
#include <string_view>

#include "base/codec.h"

namespace pelora {

namespace {

bool isLineBreakAt(const std::string& s, std::size_t i) {
    return i + 1 < s.size() && s[i] == '\r' && s[i + 1] == '\n';
}

}  // namespace

std::string trimBlanks(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// The blanks that follow a line break, and then those that precede one, are dropped in one pass
// each; removing a blank never forms a new line break, so this equals deleting them one by one.
std::string TrimLines(const std::string& text) {
    std::string s = trimBlanks(text);

    std::string afterBreaks;
    afterBreaks.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        if (isLineBreakAt(s, i)) {
            afterBreaks += CRLF;
            i += 2;
            while (i < s.size() && s[i] == ' ')
                ++i;
        } else {
            afterBreaks.push_back(s[i++]);
        }
    }

    std::string result;
    result.reserve(afterBreaks.size());
    for (std::size_t i = 0; i < afterBreaks.size(); ++i) {
        if (afterBreaks[i] == ' ') {
            std::size_t end = afterBreaks.find_first_not_of(' ', i);
            if (end != std::string::npos && isLineBreakAt(afterBreaks, end)) {
                i = end - 1;
                continue;
            }
        }
        result.push_back(afterBreaks[i]);
    }
    return trimBlanks(result);
}

std::string CleanLines(const std::string& text) {
    std::string s = TrimLines(text);
    std::size_t end = s.size();
    while (end >= 2 && s[end - 2] == '\r' && s[end - 1] == '\n')
        end -= 2;
    std::size_t begin = 0;
    while (begin + 1 < end && s[begin] == '\r' && s[begin + 1] == '\n')
        begin += 2;

    // A run of line breaks becomes one.
    std::string result;
    result.reserve(end - begin);
    for (std::size_t i = begin; i < end;) {
        if (i + 1 < end && s[i] == '\r' && s[i + 1] == '\n') {
            result += CRLF;
            i += 2;
            while (i + 1 < end && s[i] == '\r' && s[i + 1] == '\n')
                i += 2;
        } else {
            result.push_back(s[i++]);
        }
    }
    return trimBlanks(result);
}

std::string CommasToSpaces(const std::string& text) {
    std::string s = trimBlanks(text);
    for (char& c : s) {
        if (c == ',') c = ' ';
    }
    return trimBlanks(s);
}

std::string NormalizeUpper(const std::string& text) {
    // Upper-casing in Windows-1252 already covers å ä ö é.
    return trimBlanks(upperCp1252(text));
}

std::string BaseName(const std::string& groupName) {
    std::string s = groupName;
    std::size_t hyphen = s.find('-');
    if (hyphen != std::string::npos) s.erase(hyphen);
    std::size_t paren = s.find('(');
    if (paren != std::string::npos) {
        s.erase(paren);
        s = trimBlanks(s);
    }
    return s;
}

namespace {

// BaseName without a copy: the overview asks it for every pupil and every group.
std::string_view baseNameView(std::string_view name) {
    std::size_t hyphen = name.find('-');
    if (hyphen != std::string_view::npos) name = name.substr(0, hyphen);
    std::size_t paren = name.find('(');
    if (paren != std::string_view::npos) {
        name = name.substr(0, paren);
        std::size_t first = name.find_first_not_of(' ');
        if (first == std::string_view::npos) return {};
        name = name.substr(first, name.find_last_not_of(' ') - first + 1);
    }
    return name;
}

}  // namespace

// The search for LF + key in LF + wishes, made in place: a line start is position 0 or the
// position after an LF.
int FindWish(const std::string& wishes, const std::string& groupName) {
    // No wish names any group, also not one whose base name is empty ("-X").
    if (wishes.empty()) return 0;
    const std::string_view key = baseNameView(groupName);
    const std::string_view text = wishes;
    const std::size_t n = text.size();
    // The character at 1-based position k of the wish text followed by CR.
    auto at = [&](std::size_t k) { return k <= n ? text[k - 1] : '\r'; };
    std::size_t from = 0;  // 0-based; the earliest line start the key may begin at
    for (;;) {
        std::size_t lineStart;
        if (from == 0) {
            lineStart = 0;
        } else {
            std::size_t lf = text.find('\n', from - 1);
            if (lf == std::string_view::npos) return 0;
            lineStart = lf + 1;
        }
        if (text.substr(lineStart, key.size()) != key) {
            from = lineStart + 1;
            continue;
        }
        const std::size_t p = lineStart + 1;  // 1-based
        std::size_t k = p + key.size();
        while (k <= n + 1 && at(k) == ' ')
            ++k;
        const char c = at(k);
        if (c == '\r' || c == '*' || c == '(' || c == '-') return static_cast<int>(p);
        // An empty base name would find the same line again and again: always move on.
        from = (k > p ? k : p + 1) - 1;
    }
}

int wishRank(const std::string& wishes, const std::string& groupName) {
    const int pos = FindWish(wishes, groupName);
    if (pos <= 0) return 0;
    int line = 1;
    for (std::size_t at = wishes.find('\n');
         at != std::string::npos && at < static_cast<std::size_t>(pos - 1);
         at = wishes.find('\n', at + 1))
        ++line;
    return line;
}

std::size_t editDistance(const std::string& a, const std::string& b, std::size_t limit) {
    const std::size_t gap = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
    if (gap > limit) return limit + 1;
    // One row of the table at a time: row[j] is the distance of a's first i characters to b's
    // first j.
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        std::size_t best = row[0];
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] =
                std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0u : 1u)});
            diagonal = above;
            best = std::min(best, row[j]);
        }
        if (best > limit) return limit + 1;
    }
    return std::min(row[b.size()], limit + 1);
}

std::string singleLine(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    bool inRun = false;
    for (char c : text) {
        const bool breaking = c == '\r' || c == '\n' || c == '\t';
        if (breaking) {
            if (!inRun) result.push_back(' ');
        } else {
            result.push_back(c);
        }
        inRun = breaking;
    }
    return result;
}

std::string excerpt(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) return text;
    return text.substr(0, limit) + "\x85";  // "…" in Windows-1252
}

std::string replaceAll(const std::string& text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    std::string result;
    std::size_t pos = 0;
    for (;;) {
        std::size_t hit = text.find(from, pos);
        if (hit == std::string::npos) break;
        result.append(text, pos, hit - pos);
        result += to;
        pos = hit + from.size();
    }
    result.append(text, pos, std::string::npos);
    return result;
}

std::string nameList(const std::vector<std::string>& names, std::size_t shown) {
    const std::size_t named = std::min(names.size(), shown);
    const std::size_t rest = names.size() - named;
    std::string list;
    for (std::size_t k = 0; k < named; ++k) {
        if (k > 0) list += (k + 1 == named && rest == 0) ? " och " : ", ";
        list += names[k];
    }
    if (rest > 0) list += " och " + std::to_string(rest) + " till";
    return list;
}

}  // namespace pelora
