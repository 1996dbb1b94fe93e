// The printer of the print engine on a QPrinter: text line by line in one font, a sheet that is
// full continues on the next, and a new sheet only when something is printed on it.
#pragma once

#include <QBuffer>
#include <QFont>
#include <QPrinter>
#include <memory>

#include "base/printer.h"

class QPainter;
class QPdfWriter;
class QWidget;

namespace pelora::ui {

class QtPrinter : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;

    // The printer dialog; the printer chosen there serves every later run.
    void setup(QWidget* parent);
    QPrinter& device() { return m_printer; }

    void setFontName(const std::string& name) override;
    void setFontSize(double points) override;
    double pageWidth() override;
    void setCurrentX(double x) override { m_x = x; }
    double currentX() override { return m_x; }
    void print(const std::string& text) override;
    void endLine() override;
    double textWidth(const std::string& text) override;
    void newPage() override;
    // To a file, the PDF is made in memory, with the page layout and resolution of the printer
    // (Qt's PDF engine tells of no failed write), and handed back for the program to save.
    PrintedDocument endDoc() override;
    // Where the computer has no printer, or a PDF file was chosen in the printer dialog.
    bool printsToFile() override;
    void setOutputFile(const std::filesystem::path& path) override;

private:
    QPainter& painter();
    // What the document is painted on: the printer, or the PDF in memory.
    QPagedPaintDevice& paintDevice();
    double pageHeight();
    void applyFont();
    double lineHeight();

    QPrinter m_printer{QPrinter::HighResolution};
    std::unique_ptr<QPainter> m_painter;
    QByteArray m_pdfBytes;
    QBuffer m_pdfBuffer{&m_pdfBytes};
    std::unique_ptr<QPdfWriter> m_pdf;
    QFont m_font;
    double m_x = 0;
    double m_y = 0;
    bool m_pageBreakPending = false;
    bool m_pageHasText = false;
};

}  // namespace pelora::ui
