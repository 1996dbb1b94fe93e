// A printer for tests: records every operation as a line of text, with measures that are easy
// to work out by hand: a text is 100 units a character at 10 points and a line 100 high, both in
// proportion to the size (a name's escape is one character); a sheet is 10000 wide and 14000
// high unless a test makes it otherwise.
#pragma once

#include <string>
#include <vector>

#include "base/codec.h"
#include "base/printer.h"

namespace pelora::test {

class RecordingPrinter : public Printer {
public:
    void setFontName(const std::string& name) override;
    void setFontSize(double points) override;
    double pageWidth() override { return width; }
    double pageHeight() override { return height; }
    void setCurrentX(double x) override;
    double currentX() override { return x_; }
    void setCurrentY(double y) override;
    void print(const std::string& text) override;
    void endLine() override;
    double textWidth(const PrintFont& measured, const std::string& text) override {
        return static_cast<double>(characterCount(text)) * 10.0 * measured.points;
    }
    double lineHeight(const PrintFont& measured) override { return lineSpacing * measured.points; }
    void newPage() override;
    PrintedDocument endDoc() override;
    bool printsToFile() override { return toFile; }
    void setOutputFile(const std::filesystem::path& path) override {
        operations.push_back("file " + path.string());
    }

    // The operations sheet by sheet, without the new pages between them; the new page that
    // ends the document's last sheet makes no empty sheet.
    std::vector<std::vector<std::string>> sheets() const;

    double width = 10000;
    double height = 14000;
    double lineSpacing = 10;  // a line's height for each point of its font's size
    bool toFile = false;      // as a computer without a printer: the document's "PDF" is every
                              // operation, one per line, after "%PDF"
    std::string failOnPrint;  // printing this text fails, as a printer that jams
    PrintFont font{"", 10};
    // "font NAME", "size N", "x N", "y N", "print TEXT", "endLine", "newPage", "endDoc",
    // "file PATH".
    std::vector<std::string> operations;
    // What stands where no sheet can hold it: "TEXT below the sheet at Y" for a text whose line
    // reaches below the printable height, "y Y over text down to B" for a move up the sheet over
    // what is printed there (a foot over the last lines).
    std::vector<std::string> misplaced;

private:
    double x_ = 0;
    double y_ = 0;
    double printedDownTo_ = 0;  // the foot of the lowest line printed on this sheet
};

}  // namespace pelora::test
