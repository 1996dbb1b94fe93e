#include "recording_printer.h"

#include <stdexcept>

#include "base/numbers.h"

namespace pelora::test {

void RecordingPrinter::setFontName(const std::string& name) {
    fontName = name;
    operations.push_back("font " + name);
}

void RecordingPrinter::setFontSize(double points) {
    fontSize = points;
    operations.push_back("size " + plainNumber(points));
}

void RecordingPrinter::setCurrentX(double x) {
    x_ = x;
    operations.push_back("x " + plainNumber(x));
}

void RecordingPrinter::print(const std::string& text) {
    if (!failOnPrint.empty() && text == failOnPrint)
        throw std::runtime_error("Skrivaren svarar inte");
    operations.push_back("print " + text);
    x_ += textWidth(text);
}

void RecordingPrinter::endLine() {
    operations.push_back("endLine");
    x_ = 0;
}

double RecordingPrinter::textWidth(const std::string& text) {
    return static_cast<double>(text.size()) * 10.0 * fontSize;
}

void RecordingPrinter::newPage() {
    operations.push_back("newPage");
    x_ = 0;
}

void RecordingPrinter::setOutputFile(const std::filesystem::path& path) {
    operations.push_back("file " + path.string());
}

void RecordingPrinter::endDoc() {
    operations.push_back("endDoc");
    x_ = 0;
}

}  // namespace pelora::test
