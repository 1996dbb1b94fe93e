#include "recording_printer.h"

#include <stdexcept>

#include "base/numbers.h"

namespace pelora::test {

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

}  // namespace pelora::test
