#include "base/richtext.h"

#include <algorithm>

namespace pelora {

RichText RichText::slice(std::size_t start, std::size_t length) const {
    RichText part;
    start = std::min(start, text.size());
    length = std::min(length, text.size() - start);
    part.text = text.substr(start, length);
    const std::size_t end = start + length;
    for (const TextRun& run : runs) {
        const std::size_t from = std::max(run.start, start);
        const std::size_t to = std::min(run.start + run.length, end);
        if (from < to) part.runs.push_back({from - start, to - from, run.format});
    }
    return part;
}

}  // namespace pelora
