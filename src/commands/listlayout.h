// One printed list laid out in full before any of it goes to the printer: its lines with their
// fonts and positions are broken into sheets by the printer's page height, every sheet ends
// with a foot that numbers it within the list, and every sheet after the first starts with the
// list's title again.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/printer.h"

namespace pelora {

// The text cut from its end until it prints no wider than `width` in the font.
std::string cutToWidth(Printer& printer, const PrintFont& font, const std::string& text,
                       double width);

// What the foot of every sheet shows beside the sheet's number.
struct SheetFoot {
    std::string school;
    std::string date;
};

// Where the foot's texts stand, as parts of the page width, and its size.
namespace foot {
constexpr double kSchool = 0.10;  // under the page head's school
constexpr double kSchoolWidth = 0.28;
constexpr double kNumber = 0.50;  // the sheet's number, centred here
constexpr double kDate = 0.70;    // under the page head's date
constexpr double kPoints = 10;
}  // namespace foot

// "Sida 2 av 3".
std::string sheetNumber(int sheet, int sheets);

class ListLayout {
public:
    explicit ListLayout(Printer& printer) : m_printer(printer) {}

    Printer& printer() { return m_printer; }

    // Starts a new list and forgets what was laid out of the last one; a list that failed while
    // it was printed is ended with a new page, so that this one starts on a fresh sheet.
    void begin();

    // The same operations as the printer's, kept for the list's sheets.
    void setFontName(const std::string& name);
    void setFontSize(double points);
    void setCurrentX(double x);
    void print(const std::string& text);
    void endLine();
    double pageWidth() { return m_printer.pageWidth(); }
    // Measured in the font that is set here.
    double textWidth(const std::string& text) { return m_printer.textWidth(m_font, text); }
    std::string cut(const std::string& text, double width) {
        return cutToWidth(m_printer, m_font, text, width);
    }

    // The lines so far open every sheet of the list: the empty line at the top of the page head,
    // so that a further sheet starts as far down as the first.
    void sheetTop();
    // The next line is the list's title: from it down to the body, the lines go again at the
    // top of every further sheet.
    void title();
    // The list's body starts with the next line; without this, right after the title.
    void body();

    // Breaks the list into sheets and prints them, each with its foot and a new page after it.
    // Returns the number of sheets.
    int printSheets(const SheetFoot& foot);

private:
    struct Operation {
        enum class Kind { FontName, FontSize, X, Text } kind;
        std::string text;  // a font name or a text
        double value = 0;  // a size or a position
    };
    struct Line {
        PrintFont start;  // the font the line starts in
        PrintFont end;    // the font it ends in, which gives its height
        std::vector<Operation> operations;
        bool ended = false;  // an unended line is the list's last, and is not ended either
        bool blank = true;   // nothing visible is printed on it
    };

    std::vector<std::vector<std::size_t>> sheets();
    bool fits(double height, double room) const;
    void replay(const Line& line);
    void useFont(const PrintFont& font, bool name, bool size);
    void printFoot(const SheetFoot& foot, int sheet, int sheets);
    Line& current();

    Printer& m_printer;
    PrintFont m_font;         // as the list has set it
    PrintFont m_printerFont;  // as the printer has it, while the sheets are printed
    std::vector<Line> m_lines;
    bool m_lineOpen = false;
    std::size_t m_top = 0;
    std::size_t m_title = 0;
    std::size_t m_body = 0;
    bool m_hasTitle = false;
    bool m_hasBody = false;
    bool m_sheetOpen = false;  // a sheet has been started and has not had its new page yet
};

}  // namespace pelora
