#include "ui/groupboard.h"

#include <QApplication>
#include <QFontDatabase>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "ui/textconv.h"
#include "ui/widgetsync.h"

namespace pelora::ui {

namespace {

constexpr int kLabelFrame = 1;  // a label's box, in pixels

// "System" at 10 points where the font exists. Elsewhere the closest thing: a narrow bold face,
// so that eight capitals of a group's short name fit the label as they do in "System".
QFont labelFont() {
    const QStringList families = QFontDatabase::families();
    for (const char* family : {"System", "Liberation Sans Narrow", "Nimbus Sans Narrow"}) {
        if (families.contains(QString::fromLatin1(family), Qt::CaseInsensitive)) {
            QFont font(QString::fromLatin1(family), 10);
            font.setBold(true);
            return font;
        }
    }
    QFont font = QApplication::font();
    font.setPointSize(10);
    font.setBold(true);
    return font;
}

}  // namespace

GroupBoard::GroupBoard(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(236, 236, 236));
    setPalette(pal);
    // A larger window lets the free surface grow.
    setMinimumSize(toPixels(WidthTwips), toPixels(HeightTwips));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    const QFont font = labelFont();
    const QSize size = labelSize(font);
    for (int g = 0; g <= MaxGroups; ++g) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(g));
        label->setTextFormat(Qt::PlainText);
        label->setFont(font);
        label->setFixedSize(size);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Box);
        label->setLineWidth(kLabelFrame);
        label->setAutoFillBackground(true);
        label->setMouseTracking(true);
        label->installEventFilter(this);
        label->hide();
        label->raise();
        m_labels[g] = label;
    }
    setMouseTracking(true);

    m_ghost = new QLabel(this);
    m_ghost->setObjectName(QStringLiteral("dragGhost"));
    m_ghost->setTextFormat(Qt::PlainText);
    m_ghost->setFont(font);
    m_ghost->setFixedSize(size);
    m_ghost->setAlignment(Qt::AlignCenter);
    m_ghost->setFrameShape(QFrame::Box);
    m_ghost->setLineWidth(2);
    m_ghost->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_ghost->hide();
}

void GroupBoard::beginDrag(int g, QPointF hold) {
    QLabel* label = m_labels[g];
    m_dragged = g;
    m_hold = hold;
    m_ghost->setText(label->text());
    QPalette pal = label->palette();
    QColor fill = pal.color(QPalette::Window);
    fill.setAlpha(170);
    pal.setColor(QPalette::Window, fill);
    m_ghost->setPalette(pal);
    m_ghost->setAutoFillBackground(true);
    m_ghost->move(label->pos());
    m_ghost->show();
    m_ghost->raise();
}

int GroupBoard::labelAt(QPoint boardPoint) const {
    return labelNumber(childAt(boardPoint));
}

bool GroupBoard::eventFilter(QObject* watched, QEvent* event) {
    auto* label = qobject_cast<QLabel*>(watched);
    const int g = label ? labelNumber(label) : 0;
    if (g == 0) return QFrame::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (m_dragged == 0) emit labelPressed(g, mouse->button(), mouse->position());
            return true;
        }
        case QEvent::MouseButtonDblClick: {
            // Qt sends this in place of the second press: it places the pupil, and neither
            // presses the label again nor takes hold of it.
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (m_dragged == 0 && mouse->button() == Qt::LeftButton) emit labelDoubleClicked(g);
            return true;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (m_dragged != 0) {
                const QPointF onBoard = mapFromGlobal(mouse->globalPosition());
                m_ghost->move((onBoard - m_hold).toPoint());
            } else if (mouse->buttons() == Qt::NoButton) {
                emit labelHovered(g);
            }
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (m_dragged != 0 && mouse->buttons() == Qt::NoButton) {
                const int dragged = m_dragged;
                m_dragged = 0;
                m_ghost->hide();
                emit labelDropped(dragged, mouse->globalPosition().toPoint());
            }
            return true;
        }
        default:
            return QFrame::eventFilter(watched, event);
    }
}

void GroupBoard::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragged == 0 && event->buttons() == Qt::NoButton) emit surfaceHovered();
    QFrame::mouseMoveEvent(event);
}

int GroupBoard::labelNumber(const QWidget* widget) const {
    for (int g = 1; g <= MaxGroups; ++g) {
        if (m_labels[g] == widget) return g;
    }
    return 0;
}

QSize GroupBoard::labelSize(const QFont& font) const {
    return QSize(toPixels(0.22 * WidthTwips),
                 std::max(toPixels(0.11 * HeightTwips),
                          fullTextHeight(QFontMetrics(font, this), 2) + 2 * kLabelFrame));
}

int GroupBoard::toPixels(double twips) const {
    double pixels = twips * logicalDpiX() / 1440.0;
    // A position far off the board must still be a position Qt can hold.
    pixels = std::clamp(pixels, -1.0e6, 1.0e6);
    return static_cast<int>(std::lround(pixels));
}

double GroupBoard::toTwips(double pixels) const {
    return pixels * 1440.0 / logicalDpiX();
}

void GroupBoard::render(const App& app) {
    const MainScreen& screen = app.screen;
    // Never smaller than designed, and large enough to scroll to every shown label: one left far
    // out on a large screen is still reached on a small one.
    QSize extent(toPixels(WidthTwips), toPixels(HeightTwips));
    for (int g = 1; g <= MaxGroups; ++g) {
        const GroupLabel& state = screen.Label1[g];
        QLabel* label = m_labels[g];
        const QString caption = toQtLines(state.caption);
        if (label->text() != caption) label->setText(caption);
        const QColor colour(state.background.red, state.background.green, state.background.blue);
        if (label->palette().color(QPalette::Window) != colour) {
            QPalette pal = label->palette();
            pal.setColor(QPalette::Window, colour);
            pal.setColor(QPalette::WindowText, Qt::black);
            label->setPalette(pal);
        }
        const Group& group = app.work.groupTable[g];
        const QPoint position(toPixels(group.boardLeft), toPixels(group.boardTop));
        if (label->pos() != position) label->move(position);
        if (label->isVisibleTo(this) != state.visible) label->setVisible(state.visible);
        if (state.visible)
            extent = extent.expandedTo(
                QSize(label->geometry().right() + 1, label->geometry().bottom() + 1));
    }
    if (minimumSize() != extent) setMinimumSize(extent);

    std::array<int, MaxGroups + 1> order{};
    for (int g = 0; g <= MaxGroups; ++g)
        order[g] = screen.Label1[g].stackOrder;
    if (order != m_renderedOrder) {
        std::array<int, MaxGroups + 1> numbers{};
        std::iota(numbers.begin(), numbers.end(), 0);
        std::stable_sort(numbers.begin(), numbers.end(),
                         [&order](int a, int b) { return order[a] < order[b]; });
        for (int g : numbers)
            m_labels[g]->raise();
        m_renderedOrder = order;
    }
}

}  // namespace pelora::ui
