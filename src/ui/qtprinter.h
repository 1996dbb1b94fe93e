// The printer of the print engine on a QPrinter: text line by line in one font, measured by the
// printer's own font metrics, and a new sheet only when something is printed on it. The engine
// breaks its lists into sheets itself; a sheet that is full anyway continues on the next.
#pragma once

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPrinter>
#include <memory>
#include <vector>

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
    double pageHeight() override;
    void setCurrentX(double x) override { m_x = x; }
    double currentX() override { return m_x; }
    void setCurrentY(double y) override;
    void print(const std::string& text) override;
    void endLine() override;
    double textWidth(const PrintFont& font, const std::string& text) override;
    // The font's line spacing on the paint device, in its pixels.
    double lineHeight(const PrintFont& font) override;
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
    void applyFont();
    QFont qtFont(const PrintFont& font) const;
    double currentLineHeight();
    struct Measured {
        QFont font;
        QPaintDevice* device;
        QFontMetricsF metrics;
        // The widths of the texts measured in this font: a list measures a cell before it
        // prints it, and prints its names and numbers again in the next list.
        QHash<QString, qreal> widths;
    };
    // The font's metrics on the paint device, made once.
    Measured& metrics(const QFont& font);
    static qreal widthOf(Measured& measured, const QString& text);
    // Starts the sheet that a new page has asked for, now that something goes on it.
    void startPendingPage();

    QPrinter m_printer{QPrinter::HighResolution};
    std::unique_ptr<QPainter> m_painter;
    QByteArray m_pdfBytes;
    QBuffer m_pdfBuffer{&m_pdfBytes};
    std::unique_ptr<QPdfWriter> m_pdf;
    QFont m_font;
    std::vector<Measured> m_metrics;
    double m_x = 0;
    double m_y = 0;
    bool m_pageBreakPending = false;
    bool m_pageHasText = false;
};

}  // namespace pelora::ui
