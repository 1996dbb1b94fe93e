#include "ui/qtprinter.h"

#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <stdexcept>

#include "base/codec.h"
#include "ui/textconv.h"

namespace pelora::ui {

QtPrinter::QtPrinter() {
    m_font = QFont(QStringLiteral("Times New Roman"), 12);
    m_printer.setPageSize(QPageSize(QPageSize::A4));
    m_printer.setDocName(QStringLiteral("Pelora"));
}

bool QtPrinter::printsToFile() {
    return m_printer.outputFormat() == QPrinter::PdfFormat ||
           QPrinterInfo::availablePrinters().isEmpty();
}

void QtPrinter::setOutputFile(const std::filesystem::path& path) {
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setOutputFileName(fromPath(path));
}

QtPrinter::~QtPrinter() {
    if (m_painter && m_painter->isActive()) m_painter->end();
}

QPagedPaintDevice& QtPrinter::paintDevice() {
    if (m_printer.outputFormat() != QPrinter::PdfFormat) return m_printer;
    if (!m_pdf) {
        m_pdfBytes.clear();
        m_pdfBuffer.open(QIODevice::WriteOnly);
        m_pdf = std::make_unique<QPdfWriter>(&m_pdfBuffer);
        m_pdf->setResolution(m_printer.resolution());
        m_pdf->setPageLayout(m_printer.pageLayout());
        m_pdf->setTitle(m_printer.docName());
        m_pdf->setCreator(QStringLiteral("Pelora"));
    }
    return *m_pdf;
}

void QtPrinter::setup(QWidget* parent) {
    // Qt's dialog moves the printer to the system's default printer as soon as it is built, so
    // what was chosen before is kept here for a cancel.
    const QPrinter::OutputFormat format = m_printer.outputFormat();
    const QString printerName = m_printer.printerName();
    const QString fileName = m_printer.outputFileName();
    const QPageLayout layout = m_printer.pageLayout();
    m_metrics.clear();  // another printer may measure otherwise
    QPrintDialog dialog(&m_printer, parent);
    dialog.setWindowTitle(QStringLiteral("Skrivare"));
    // Only the printer and its paper are chosen here: every run prints all its lists, so there
    // is no range of pages to offer.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    // Choosing prints nothing yet.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    if (dialog.exec() == QDialog::Accepted) return;
    if (format == QPrinter::PdfFormat) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(fileName);
    } else {
        m_printer.setPrinterName(printerName);
    }
    m_printer.setPageLayout(layout);
}

QPainter& QtPrinter::painter() {
    if (!m_painter) m_painter = std::make_unique<QPainter>();
    if (!m_painter->isActive()) {
        if (!m_painter->begin(&paintDevice())) {
            const QString where = m_printer.outputFileName().isEmpty() ? m_printer.printerName()
                                                                       : m_printer.outputFileName();
            throw std::runtime_error("Kan inte skriva till " + where.toStdString());
        }
        m_y = 0;
        m_pageHasText = false;
        m_pageBreakPending = false;
        applyFont();
    }
    return *m_painter;
}

void QtPrinter::applyFont() {
    if (m_painter && m_painter->isActive()) m_painter->setFont(m_font);
}

void QtPrinter::setFontName(const std::string& name) {
    m_font.setFamily(toQt(name));
    applyFont();
}

void QtPrinter::setFontSize(double points) {
    m_font.setPointSizeF(points);
    applyFont();
}

double QtPrinter::pageWidth() {
    return m_printer.pageLayout().paintRectPixels(m_printer.resolution()).width();
}

double QtPrinter::pageHeight() {
    return m_printer.pageLayout().paintRectPixels(m_printer.resolution()).height();
}

QFont QtPrinter::qtFont(const PrintFont& font) const {
    QFont measured = m_font;
    measured.setFamily(toQt(font.name));
    measured.setPointSizeF(font.points);
    return measured;
}

QtPrinter::Measured& QtPrinter::metrics(const QFont& font) {
    QPaintDevice* device = &paintDevice();
    // A list measures in two or three fonts; the last few are kept with the device they were
    // measured on.
    for (Measured& kept : m_metrics) {
        if (kept.device == device && kept.font == font) return kept;
    }
    if (m_metrics.size() >= 8) m_metrics.erase(m_metrics.begin());
    m_metrics.push_back({font, device, QFontMetricsF(font, device), {}});
    return m_metrics.back();
}

qreal QtPrinter::widthOf(Measured& measured, const QString& text) {
    auto known = measured.widths.constFind(text);
    if (known != measured.widths.constEnd()) return *known;
    const qreal width = measured.metrics.horizontalAdvance(text);
    // Names cut to fit are measured once for every letter taken off; the cache is kept to the
    // texts of a few runs.
    if (measured.widths.size() >= 20000) measured.widths.clear();
    measured.widths.insert(text, width);
    return width;
}

double QtPrinter::lineHeight(const PrintFont& font) {
    return metrics(qtFont(font)).metrics.lineSpacing();
}

double QtPrinter::currentLineHeight() {
    return metrics(m_font).metrics.lineSpacing();
}

double QtPrinter::textWidth(const PrintFont& font, const std::string& text) {
    return widthOf(metrics(qtFont(font)), toQt(text));
}

void QtPrinter::startPendingPage() {
    if (!m_pageBreakPending) return;
    paintDevice().newPage();
    m_pageBreakPending = false;
    m_y = 0;
}

void QtPrinter::setCurrentY(double y) {
    painter();
    startPendingPage();
    m_y = y;
}

void QtPrinter::print(const std::string& text) {
    QPainter& p = painter();
    startPendingPage();
    // The engine ends its sheets before they are full, its foot included (a pixel more is the
    // sum of its measures); this is for text printed without it.
    if (m_pageHasText && m_y + currentLineHeight() > pageHeight() + 1) {
        paintDevice().newPage();
        m_y = 0;
    }
    Measured& measured = metrics(m_font);
    const QString line = toQt(text);
    p.drawText(QPointF(m_x, m_y + measured.metrics.ascent()), line);
    m_x += widthOf(measured, line);
    m_pageHasText = true;
}

void QtPrinter::endLine() {
    painter();
    // An empty line at the top of a sheet that has nothing on it yet still takes its space.
    startPendingPage();
    m_y += currentLineHeight();
    m_x = 0;
    m_pageHasText = true;
}

void QtPrinter::newPage() {
    painter();
    m_pageBreakPending = true;
    m_x = 0;
}

PrintedDocument QtPrinter::endDoc() {
    PrintedDocument done;
    if (m_painter && m_painter->isActive() && !m_painter->end())
        done.problem = "Dokumentet kunde inte avslutas."_cp;
    if (m_pdf) {
        m_metrics.clear();  // measured on the writer that goes now
        m_pdf.reset();
        m_pdfBuffer.close();
        if (done.problem.empty()) done.pdf = m_pdfBytes.toStdString();
        m_pdfBytes.clear();
    }
    m_x = 0;
    m_y = 0;
    m_pageBreakPending = false;
    m_pageHasText = false;
    return done;
}

}  // namespace pelora::ui
