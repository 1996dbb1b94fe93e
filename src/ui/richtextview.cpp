#include "ui/richtextview.h"

#include <QColor>
#include <QFontMetricsF>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <vector>

#include "ui/textconv.h"
#include "ui/widgetsync.h"

namespace pelora::ui {

namespace {

constexpr char32_t kLineBreak = U'\u2028';
constexpr double kParagraphSpace = 6;  // below each paragraph, as the printed manual has
constexpr double kItemIndent = 20;     // where the text of a list item starts, after its mark
constexpr double kColumnGap = 24;      // between the columns of lines set out with tabs

QTextCharFormat charFormat(const TextFormat& format) {
    QTextCharFormat qt;
    qt.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    qt.setFontItalic(format.italic);
    qt.setFontUnderline(format.underline);
    qt.setFontPointSize(format.halfPoints / 2.0);
    if (!format.font.empty()) qt.setFontFamilies({toQt(format.font)});
    qt.setForeground(QColor::fromRgb(static_cast<QRgb>(format.colour)));
    return qt;
}

QString toQString(const std::u32string& text, std::size_t start, std::size_t length) {
    return QString::fromUcs4(text.data() + start, static_cast<qsizetype>(length));
}

// The format of the run the character at `at` belongs to.
const TextFormat& formatAt(const RichText& text, std::size_t at) {
    static const TextFormat plain;
    for (const TextRun& run : text.runs)
        if (at >= run.start && at < run.start + run.length) return run.format;
    return plain;
}

// How a paragraph is set out. A list item ("•", a tab, the text) hangs its lines at the text;
// lines with tabs in them (a few lines of a file) line up in columns as wide as the widest cell.
QTextBlockFormat paragraphFormat(const RichText& text, std::size_t start, std::size_t end,
                                 const QFont& base) {
    QTextBlockFormat format;
    format.setBottomMargin(kParagraphSpace);
    const std::u32string& t = text.text;
    if (end - start >= 2 && t[start] != U'\t' && t[start + 1] == U'\t') {
        format.setLeftMargin(kItemIndent);
        format.setTextIndent(-kItemIndent);
        format.setTabPositions({QTextOption::Tab(kItemIndent, QTextOption::LeftTab)});
        return format;
    }
    if (std::find(t.begin() + static_cast<std::ptrdiff_t>(start),
                  t.begin() + static_cast<std::ptrdiff_t>(end),
                  U'\t') == t.begin() + static_cast<std::ptrdiff_t>(end)) {
        return format;
    }
    std::vector<double> widths;  // per column, the widest cell before a tab
    std::size_t column = 0, cell = start;
    for (std::size_t k = start; k <= end; ++k) {
        const bool lineEnd = k == end || t[k] == kLineBreak;
        if (!lineEnd && t[k] != U'\t') continue;
        if (t[k] == U'\t' && k < end) {
            QFont font = base;
            const QTextCharFormat look = charFormat(formatAt(text, cell));
            if (const QStringList families = look.fontFamilies().toStringList();
                !families.isEmpty())
                font.setFamilies(families);
            font.setPointSizeF(look.fontPointSize());
            font.setBold(look.fontWeight() >= QFont::Bold);
            const double width =
                QFontMetricsF(font).horizontalAdvance(toQString(t, cell, k - cell));
            if (widths.size() <= column) widths.resize(column + 1, 0);
            widths[column] = std::max(widths[column], width);
            ++column;
        } else {
            column = 0;
        }
        cell = k + 1;
    }
    QList<QTextOption::Tab> tabs;
    double at = 0;
    for (double width : widths) {
        at += width + kColumnGap;
        tabs << QTextOption::Tab(at, QTextOption::LeftTab);
    }
    format.setTabPositions(tabs);
    return format;
}

}  // namespace

void fillDocument(QTextDocument& document, const RichText& text) {
    document.clear();
    QTextCursor cursor(&document);
    const std::u32string& t = text.text;
    std::size_t start = 0;
    while (start <= t.size()) {
        std::size_t end = t.find(U'\n', start);
        if (end == std::u32string::npos) end = t.size();
        const QTextBlockFormat paragraph =
            paragraphFormat(text, start, end, document.defaultFont());
        if (start == 0) {
            cursor.setBlockFormat(paragraph);
        } else {
            cursor.insertBlock(paragraph, charFormat(formatAt(text, start)));
        }
        // The paragraph's stretch of each run; U+2028 stays a line break within the paragraph.
        for (const TextRun& run : text.runs) {
            const std::size_t from = std::max(run.start, start);
            const std::size_t to = std::min(run.start + run.length, end);
            if (from < to) cursor.insertText(toQString(t, from, to - from), charFormat(run.format));
        }
        if (end == t.size()) break;
        start = end + 1;
    }
}

RichTextView::RichTextView(QWidget* parent) : QTextBrowser(parent) {
    setReadOnly(true);
    setOpenLinks(false);
    setUndoRedoEnabled(false);
}

void RichTextView::setRichText(const RichText& text) {
    if (m_filled && text.text == m_shown.text && text.runs == m_shown.runs) return;
    fillDocument(*document(), text);
    m_shown = text;
    m_filled = true;
    moveCursor(QTextCursor::Start);
}

void render(RichTextView* widget, const RichText& text) {
    widget->setRichText(text);
}

}  // namespace pelora::ui
