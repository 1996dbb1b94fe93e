// The printer as the print engine sees it: a page of width W in the printer's own units,
// a horizontal print position, and text printed line by line in one font.
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

class Printer {
public:
    virtual ~Printer() = default;

    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual double pageWidth() = 0;
    virtual void setCurrentX(double x) = 0;
    virtual double currentX() = 0;
    // Prints at the current position and stays on the line, after the text.
    virtual void print(const std::string& text) = 0;
    // Ends the line (an empty line when nothing was printed on it); x goes back to 0.
    virtual void endLine() = 0;
    virtual double textWidth(const std::string& text) = 0;
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
