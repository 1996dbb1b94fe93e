#include "recording_printer.h"

#include <algorithm>
#include <stdexcept>

#include "base/numbers.h"

namespace pelora::test {

void RecordingPrinter::setFontName(const std::string& name) {
    font.name = name;
    operations.push_back("font " + name);
}

void RecordingPrinter::setFontSize(double points) {
    font.points = points;
    operations.push_back("size " + plainNumber(points));
}

void RecordingPrinter::setCurrentX(double x) {
    x_ = x;
    operations.push_back("x " + plainNumber(x));
}

void RecordingPrinter::setCurrentY(double y) {
    if (y < printedDownTo_ - 1e-6)
        misplaced.push_back("y " + plainNumber(y) + " over text down to " +
                            plainNumber(printedDownTo_));
    y_ = y;
    operations.push_back("y " + plainNumber(y));
}

void RecordingPrinter::print(const std::string& text) {
    if (!failOnPrint.empty() && text == failOnPrint)
        throw std::runtime_error("Skrivaren svarar inte");
    operations.push_back("print " + text);
    const double foot = y_ + lineHeight(font);
    if (foot > height + 1e-6) misplaced.push_back(text + " below the sheet at " + plainNumber(y_));
    if (!text.empty()) printedDownTo_ = std::max(printedDownTo_, foot);
    x_ += textWidth(font, text);
}

void RecordingPrinter::endLine() {
    operations.push_back("endLine");
    x_ = 0;
    y_ += lineHeight(font);
}

void RecordingPrinter::newPage() {
    operations.push_back("newPage");
    x_ = y_ = printedDownTo_ = 0;
}

PrintedDocument RecordingPrinter::endDoc() {
    operations.push_back("endDoc");
    x_ = y_ = printedDownTo_ = 0;
    if (!toFile) return {};
    std::string pdf = "%PDF";
    for (const std::string& operation : operations)
        pdf += operation + "\n";
    return {{}, pdf};
}

std::vector<std::vector<std::string>> RecordingPrinter::sheets() const {
    std::vector<std::vector<std::string>> all(1);
    for (const std::string& operation : operations) {
        if (operation == "newPage") {
            all.emplace_back();
        } else if (operation != "endDoc") {
            all.back().push_back(operation);
        }
    }
    if (all.back().empty()) all.pop_back();
    return all;
}

}  // namespace pelora::test
