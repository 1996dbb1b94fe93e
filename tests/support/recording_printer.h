// A printer for tests: records every operation as a line of text, with text widths that are
// easy to work out by hand (100 units per character at 10 points, in proportion to the size).
#pragma once

#include <string>
#include <vector>

#include "base/printer.h"

namespace pelora::test {

class RecordingPrinter : public Printer {
public:
    void setFontName(const std::string& name) override;
    void setFontSize(double points) override;
    double pageWidth() override { return width; }
    void setCurrentX(double x) override;
    double currentX() override { return x_; }
    void print(const std::string& text) override;
    void endLine() override;
    double textWidth(const std::string& text) override;
    void newPage() override;
    void endDoc() override;
    bool printsToFile() override { return toFile; }
    void setOutputFile(const std::filesystem::path& path) override;

    double width = 10000;
    bool toFile = false;      // as a computer without a printer
    std::string failOnPrint;  // printing this text fails, as a printer that jams
    std::string fontName;
    double fontSize = 10;
    // "font NAME", "size N", "x N", "print TEXT", "endLine", "newPage", "endDoc", "file PATH".
    std::vector<std::string> operations;

private:
    double x_ = 0;
};

}  // namespace pelora::test
