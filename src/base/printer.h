// The printer as the print engine sees it: a sheet of width W and a printable height in the
// printer's own units, a print position, and text printed line by line in one font at a time.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace pelora {

// What became of a document: printed, or why not; printed to a file, the file's bytes, which the
// program saves under the chosen name the way it saves every file.
struct PrintedDocument {
    std::string problem;             // empty when the document went out whole
    std::optional<std::string> pdf;  // the PDF made in memory when printing to a file
};

// A font by its name and size in points.
struct PrintFont {
    std::string name;
    double points = 0;

    bool operator==(const PrintFont&) const = default;
};

class Printer {
public:
    virtual ~Printer() = default;

    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual double pageWidth() = 0;
    // The printable height of a sheet, in the units of the width.
    virtual double pageHeight() = 0;
    virtual void setCurrentX(double x) = 0;
    virtual double currentX() = 0;
    // Moves the print position down the sheet to y from the top of its printable part, for a
    // line at the sheet's foot; the lines that follow start there.
    virtual void setCurrentY(double y) = 0;
    // Prints at the current position and stays on the line, after the text.
    virtual void print(const std::string& text) = 0;
    // Ends the line (an empty line when nothing was printed on it); x goes back to 0.
    virtual void endLine() = 0;
    // Measuring goes by the font named, not the current one, so that the engine can lay out a
    // list in full before any of it is printed.
    virtual double textWidth(const PrintFont& font, const std::string& text) = 0;
    // How far down the sheet a line ended in this font moves the print position.
    virtual double lineHeight(const PrintFont& font) = 0;
    virtual void newPage() = 0;
    // Sends the document to the printer, or makes the PDF; a page break just before adds no
    // empty sheet.
    virtual PrintedDocument endDoc() = 0;

    // Whether the document goes to a PDF file rather than a printer: where the computer has no
    // printer, or the user chose a PDF file as the printer. The file is named for each run.
    virtual bool printsToFile() = 0;
    virtual void setOutputFile(const std::filesystem::path& path) = 0;
};

}  // namespace pelora
