#include "commands/listlayout.h"

#include <algorithm>

#include "base/codec.h"
#include "base/numbers.h"

namespace pelora {

std::string cutToWidth(Printer& printer, const PrintFont& font, const std::string& text,
                       double width) {
    std::string fitted = text;
    // A character at a time: a name's escape goes whole, never half a character on paper.
    while (!fitted.empty() && printer.textWidth(font, fitted) > width)
        dropLastCharacter(fitted);
    return fitted;
}

std::string sheetNumber(int sheet, int sheets) {
    return "Sida " + plainNumber(sheet) + " av " + plainNumber(sheets);
}

void ListLayout::begin() {
    if (m_sheetOpen) {
        // What the printer holds of its font is not known after a failure.
        m_sheetOpen = false;
        m_printerFont = {};
        m_printer.newPage();
    }
    m_lines.clear();
    m_lineOpen = false;
    m_top = 0;
    m_hasTitle = m_hasBody = false;
}

ListLayout::Line& ListLayout::current() {
    if (!m_lineOpen) {
        m_lines.push_back(Line{m_font, m_font, {}});
        m_lineOpen = true;
    }
    return m_lines.back();
}

void ListLayout::setFontName(const std::string& name) {
    m_font.name = name;
    current().operations.push_back({Operation::Kind::FontName, name});
}

void ListLayout::setFontSize(double points) {
    m_font.points = points;
    current().operations.push_back({Operation::Kind::FontSize, {}, points});
}

void ListLayout::setCurrentX(double x) {
    current().operations.push_back({Operation::Kind::X, {}, x});
}

void ListLayout::print(const std::string& text) {
    Line& line = current();
    line.operations.push_back({Operation::Kind::Text, text});
    if (text.find_first_not_of(' ') != std::string::npos) line.blank = false;
}

void ListLayout::endLine() {
    Line& line = current();
    line.ended = true;
    line.end = m_font;
    m_lineOpen = false;
}

void ListLayout::sheetTop() {
    m_top = m_lines.size() - (m_lineOpen ? 1 : 0);
}

void ListLayout::title() {
    m_title = m_lines.size() - (m_lineOpen ? 1 : 0);
    m_hasTitle = true;
}

void ListLayout::body() {
    m_body = m_lines.size() - (m_lineOpen ? 1 : 0);
    m_hasBody = true;
}

bool ListLayout::fits(double height, double room) const {
    // Heights are sums of the printer's measures: what differs in the last digits still fits.
    return height <= room + 1e-9 * std::max(room, 1.0);
}

// Each sheet as the lines it prints. A line that does not fit starts the next sheet, which
// begins with the top of the first and the title and the lines under it, so that at least one line
// of the body stands on every sheet however small the sheet. Empty lines where a sheet breaks are
// left out: a sheet neither starts its body with them nor is started for them alone.
std::vector<std::vector<std::size_t>> ListLayout::sheets() {
    const std::size_t count = m_lines.size();
    std::vector<double> heights(count);
    for (std::size_t i = 0; i < count; ++i)
        heights[i] = m_lines[i].ended ? m_printer.lineHeight(m_lines[i].end) : 0;
    const double footLine = m_printer.lineHeight({m_font.name, foot::kPoints});
    const double room = m_printer.pageHeight() - 2 * footLine;
    const std::size_t headFirst = m_hasTitle ? std::min(m_title, count) : count;
    const std::size_t headEnd = std::clamp(m_hasBody ? m_body : headFirst + 1, headFirst, count);

    std::vector<std::vector<std::size_t>> sheets(1);
    double y = 0;
    std::size_t bodyLines = 0;  // on this sheet, besides the repeated head
    for (std::size_t i = 0; i < count;) {
        if (bodyLines > 0 && !fits(y + heights[i], room)) {
            while (i < count && m_lines[i].blank)
                ++i;
            if (i == count) break;
            sheets.emplace_back();
            y = 0;
            bodyLines = 0;
            auto repeat = [&](std::size_t first, std::size_t end) {
                for (std::size_t k = first; k < std::min(end, i); ++k) {
                    sheets.back().push_back(k);
                    y += heights[k];
                }
            };
            repeat(0, std::min(m_top, headFirst));
            repeat(headFirst, headEnd);
            continue;
        }
        sheets.back().push_back(i);
        y += heights[i];
        ++bodyLines;
        ++i;
    }
    if (sheets.back().empty()) sheets.pop_back();
    return sheets;
}

void ListLayout::useFont(const PrintFont& font, bool name, bool size) {
    if (name && m_printerFont.name != font.name) {
        m_printer.setFontName(font.name);
        m_printerFont.name = font.name;
    }
    if (size && m_printerFont.points != font.points) {
        m_printer.setFontSize(font.points);
        m_printerFont.points = font.points;
    }
}

// A line that comes after another than the one it followed in the list (a repeated title, the
// first line of a further sheet, the line after the foot) gets its font first, unless it sets
// the font itself before it prints.
void ListLayout::replay(const Line& line) {
    bool setsName = false, setsSize = false;
    for (const Operation& operation : line.operations) {
        if (operation.kind == Operation::Kind::FontName) {
            setsName = true;
        } else if (operation.kind == Operation::Kind::FontSize) {
            setsSize = true;
        } else {
            break;
        }
    }
    useFont(line.start, !setsName, !setsSize);
    for (const Operation& operation : line.operations) {
        switch (operation.kind) {
            // Set as the list set it, even where the printer has it already.
            case Operation::Kind::FontName:
                m_printer.setFontName(operation.text);
                m_printerFont.name = operation.text;
                break;
            case Operation::Kind::FontSize:
                m_printer.setFontSize(operation.value);
                m_printerFont.points = operation.value;
                break;
            case Operation::Kind::X:
                m_printer.setCurrentX(operation.value);
                break;
            case Operation::Kind::Text:
                m_printer.print(operation.text);
                break;
        }
    }
    if (line.ended) m_printer.endLine();
}

void ListLayout::printFoot(const SheetFoot& sheetFoot, int sheet, int sheets) {
    const PrintFont font{m_font.name, foot::kPoints};
    useFont(font, true, true);
    const double W = m_printer.pageWidth();
    m_printer.setCurrentY(m_printer.pageHeight() - m_printer.lineHeight(font));
    m_printer.setCurrentX(foot::kSchool * W);
    m_printer.print(cutToWidth(m_printer, font, sheetFoot.school, foot::kSchoolWidth * W));
    const std::string number = sheetNumber(sheet, sheets);
    m_printer.setCurrentX(foot::kNumber * W - m_printer.textWidth(font, number) / 2);
    m_printer.print(number);
    m_printer.setCurrentX(foot::kDate * W);
    m_printer.print(sheetFoot.date);
}

int ListLayout::printSheets(const SheetFoot& sheetFoot) {
    const std::vector<std::vector<std::size_t>> laidOut = sheets();
    const int count = static_cast<int>(laidOut.size());
    for (int s = 0; s < count; ++s) {
        m_sheetOpen = true;
        for (const std::size_t i : laidOut[static_cast<std::size_t>(s)])
            replay(m_lines[i]);
        printFoot(sheetFoot, s + 1, count);
        m_printer.newPage();
        m_sheetOpen = false;
    }
    m_lines.clear();
    m_lineOpen = false;
    return count;
}

}  // namespace pelora
