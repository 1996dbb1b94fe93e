// A printer for tests: records every operation as a line of text, with text widths that are
// easy to work out by hand (100 units per character at 10 points, in proportion to the size; a
// name's escape is one character).
#pragma once

#include <string>
#include <vector>

#include "base/codec.h"
#include "base/printer.h"

namespace pelora::test {

class RecordingPrinter : public Printer {
public:
    void setFontName(const std::string& name) override { operations.push_back("font " + name); }
    void setFontSize(double points) override;
    double pageWidth() override { return width; }
    void setCurrentX(double x) override;
    double currentX() override { return x_; }
    void print(const std::string& text) override;
    void endLine() override { moveOn("endLine"); }
    double textWidth(const std::string& text) override {
        return static_cast<double>(characterCount(text)) * 10.0 * fontSize;
    }
    void newPage() override { moveOn("newPage"); }
    PrintedDocument endDoc() override {
        moveOn("endDoc");
        if (!toFile) return {};
        std::string pdf = "%PDF";
        for (const std::string& operation : operations)
            pdf += operation + "\n";
        return {{}, pdf};
    }
    bool printsToFile() override { return toFile; }
    void setOutputFile(const std::filesystem::path& path) override {
        operations.push_back("file " + path.string());
    }

    double width = 10000;
    bool toFile = false;      // as a computer without a printer: the document's "PDF" is every
                              // operation, one per line, after "%PDF"
    std::string failOnPrint;  // printing this text fails, as a printer that jams
    double fontSize = 10;
    // "font NAME", "size N", "x N", "print TEXT", "endLine", "newPage", "endDoc", "file PATH".
    std::vector<std::string> operations;

private:
    // An operation that starts the next line at the left edge.
    void moveOn(const char* operation) {
        operations.push_back(operation);
        x_ = 0;
    }
    double x_ = 0;
};

}  // namespace pelora::test
