#include "ui/qtprinter.h"

#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <stdexcept>

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

void QtPrinter::setup(QWidget* parent) {
    // Qt's dialog moves the printer to the system's default printer as soon as it is built, so
    // what was chosen before is kept here for a cancel.
    const QPrinter::OutputFormat format = m_printer.outputFormat();
    const QString printerName = m_printer.printerName();
    const QString fileName = m_printer.outputFileName();
    const QPageLayout layout = m_printer.pageLayout();
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
        if (!m_painter->begin(&m_printer)) {
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
    return m_printer.pageRect(QPrinter::DevicePixel).width();
}

double QtPrinter::lineHeight() {
    return QFontMetricsF(m_font, &m_printer).lineSpacing();
}

double QtPrinter::textWidth(const std::string& text) {
    return QFontMetricsF(m_font, &m_printer).horizontalAdvance(toQt(text));
}

void QtPrinter::print(const std::string& text) {
    QPainter& p = painter();
    if (m_pageBreakPending) {
        m_printer.newPage();
        m_pageBreakPending = false;
        m_y = 0;
    }
    const double pageHeight = m_printer.pageRect(QPrinter::DevicePixel).height();
    if (m_pageHasText && m_y + lineHeight() > pageHeight) {
        m_printer.newPage();
        m_y = 0;
    }
    QFontMetricsF metrics(m_font, &m_printer);
    p.drawText(QPointF(m_x, m_y + metrics.ascent()), toQt(text));
    m_x += metrics.horizontalAdvance(toQt(text));
    m_pageHasText = true;
}

void QtPrinter::endLine() {
    painter();
    if (m_pageBreakPending) {
        // An empty line at the top of a sheet that has nothing on it yet still takes its space.
        m_printer.newPage();
        m_pageBreakPending = false;
        m_y = 0;
    }
    m_y += lineHeight();
    m_x = 0;
    m_pageHasText = true;
}

void QtPrinter::newPage() {
    painter();
    m_pageBreakPending = true;
    m_x = 0;
}

void QtPrinter::endDoc() {
    if (m_painter && m_painter->isActive()) m_painter->end();
    m_x = 0;
    m_y = 0;
    m_pageBreakPending = false;
    m_pageHasText = false;
}

}  // namespace pelora::ui
