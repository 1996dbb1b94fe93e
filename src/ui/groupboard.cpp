#include "ui/groupboard.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "ui/textconv.h"
#include "ui/widgetsync.h"

namespace pelora::ui {

namespace {

constexpr int kLabelFrame = 1;    // a label's box, in pixels
constexpr int kLabelPadding = 3;  // between the box and the widest line of the caption
constexpr double kZoomStep = 1.25;
constexpr int kFewestSteps = -4;
constexpr int kMostSteps = 8;
constexpr double kDesignedPoints = 10;
constexpr double kSmallestPoints = 7;

// "System" at 10 points where the font exists. Elsewhere the closest thing: a narrow bold face,
// so that eight capitals of a group's short name fit the label as they do in "System".
QFont labelFont() {
    const QStringList families = QFontDatabase::families();
    for (const char* family : {"System", "Liberation Sans Narrow", "Nimbus Sans Narrow"}) {
        if (families.contains(QString::fromLatin1(family), Qt::CaseInsensitive)) {
            QFont font(QString::fromLatin1(family), static_cast<int>(kDesignedPoints));
            font.setBold(true);
            return font;
        }
    }
    QFont font = QApplication::font();
    font.setPointSizeF(kDesignedPoints);
    font.setBold(true);
    return font;
}

}  // namespace

// A group label, with the platform's focus frame drawn inside its box while it has the board's
// focus.
class BoardLabel : public QLabel {
public:
    using QLabel::QLabel;

    void setFocusFrame(bool shown) {
        if (m_focusFrame == shown) return;
        m_focusFrame = shown;
        update();
    }
    bool focusFrame() const { return m_focusFrame; }

protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        if (!m_focusFrame) return;
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        // Drawn after a press of the mouse as well: the frame shows where the keys go next.
        option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
        option.rect =
            rect().adjusted(kLabelFrame + 1, kLabelFrame + 1, -kLabelFrame - 1, -kLabelFrame - 1);
        option.backgroundColor = palette().color(QPalette::Window);
        // Only the frame's edge: a style that tints the inside would change the label's colour.
        const QRegion edge =
            QRegion(option.rect).subtracted(QRegion(option.rect.adjusted(3, 3, -3, -3)));
        painter.setClipRegion(edge);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }

private:
    bool m_focusFrame = false;
};

GroupBoard::GroupBoard(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(236, 236, 236));
    setPalette(pal);
    // Tab reaches the board; a press on a label gives it the focus where the press selects the
    // group (with "För in grupper i Önskemål" ticked the wish box keeps it).
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(QStringLiteral("Grupptavla"));
    setAccessibleDescription(QStringLiteral(
        "Piltangenterna flyttar mellan grupperna. Mellanslag väljer gruppen, Enter placerar eller "
        "tar bort eleven, Skift+F10 öppnar gruppens meny. Ctrl+plus och Ctrl+minus zoomar, "
        "Ctrl+0 visar hela tavlan."));
    m_scale = logicalDpiX() / 1440.0;
    m_font = labelFont();

    for (int g = 0; g <= MaxGroups; ++g) {
        auto* label = new BoardLabel(this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(g));
        label->setTextFormat(Qt::PlainText);
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
    m_ghost->setAlignment(Qt::AlignCenter);
    m_ghost->setFrameShape(QFrame::Box);
    m_ghost->setLineWidth(2);
    m_ghost->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_ghost->hide();
    rescale();
}

void GroupBoard::placeIn(QScrollArea* area) {
    m_area = area;
    area->setWidget(this);
    area->setWidgetResizable(false);
    area->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    area->installEventFilter(this);
    rescale();
}

QSize GroupBoard::sizeHint() const {
    const double designed = logicalDpiX() / 1440.0;
    return QSize(static_cast<int>(std::ceil(WidthTwips * designed)),
                 static_cast<int>(std::ceil(HeightTwips * designed)));
}

QLabel* GroupBoard::label(int g) const {
    return m_labels[g];
}

int GroupBoard::labelNumber(const QWidget* widget) const {
    for (int g = 1; g <= MaxGroups; ++g) {
        if (m_labels[g] == widget) return g;
    }
    return 0;
}

int GroupBoard::toPixels(double twips) const {
    double pixels = twips * m_scale;
    // A position far off the board must still be a position Qt can hold.
    pixels = std::clamp(pixels, -1.0e6, 1.0e6);
    return static_cast<int>(std::lround(pixels));
}

double GroupBoard::toTwips(double pixels) const {
    return pixels / m_scale;
}

void GroupBoard::zoomIn() {
    setZoomSteps(m_zoomSteps + 1);
}

void GroupBoard::zoomOut() {
    setZoomSteps(m_zoomSteps - 1);
}

void GroupBoard::zoomToFit() {
    setZoomSteps(0);
}

void GroupBoard::setZoomSteps(int steps) {
    steps = std::clamp(steps, kFewestSteps, kMostSteps);
    if (steps == m_zoomSteps) return;
    m_zoomSteps = steps;
    rescale();
    if (m_area && m_focused > 0) m_area->ensureWidgetVisible(m_labels[m_focused], 8, 8);
}

void GroupBoard::rescale() {
    double fit = logicalDpiX() / 1440.0;
    if (m_area) {
        const QSize room = m_area->maximumViewportSize();
        fit = std::min(room.width() / WidthTwips, room.height() / HeightTwips);
        // The smallest window still shows a board one can read.
        fit = std::max(fit, 0.25 * logicalDpiX() / 1440.0);
    }
    const double scale = fit * std::pow(kZoomStep, m_zoomSteps);
    const QSize size(static_cast<int>(std::floor(WidthTwips * scale)),
                     static_cast<int>(std::floor(HeightTwips * scale)));
    if (scale == m_scale && size == this->size() && m_font.pointSizeF() > 0) return;
    m_scale = scale;
    setFixedSize(size);
    const double points = kDesignedPoints * m_scale / (logicalDpiX() / 1440.0);
    m_font.setPointSizeF(std::max(kSmallestPoints, std::round(points * 2) / 2));
    m_ghost->setFont(m_font);
    for (int g = 1; g <= MaxGroups; ++g) {
        m_labels[g]->setFont(m_font);
        fitLabel(g);
        m_labels[g]->move(toPixels(m_twips[g].x()), toPixels(m_twips[g].y()));
    }
}

void GroupBoard::fitLabel(int g) {
    QLabel* label = m_labels[g];
    const QFontMetrics metrics(m_font, label);
    const QSize text = metrics.size(0, label->text());
    const int width =
        std::max(toPixels(0.22 * WidthTwips), text.width() + 2 * (kLabelFrame + kLabelPadding));
    const int height =
        std::max(toPixels(0.11 * HeightTwips),
                 std::max(fullTextHeight(metrics, 2), text.height()) + 2 * kLabelFrame);
    if (label->size() != QSize(width, height)) label->setFixedSize(width, height);
}

void GroupBoard::beginDrag(int g, QPointF hold) {
    QLabel* label = m_labels[g];
    m_dragged = g;
    m_hold = hold;
    m_ghost->setText(label->text());
    m_ghost->setFixedSize(label->size());
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

void GroupBoard::takeFocus(int g) {
    setFocused(g);
    setFocus(Qt::MouseFocusReason);
}

void GroupBoard::setFocused(int g) {
    if (g != m_focused && m_focused > 0) m_labels[m_focused]->setFocusFrame(false);
    m_focused = g;
    if (g > 0) m_labels[g]->setFocusFrame(hasFocus());
    if (g > 0 && hasFocus()) {
        if (m_area) m_area->ensureWidgetVisible(m_labels[g], 8, 8);
        updateAccessibleFocus();
    }
}

void GroupBoard::updateAccessibleFocus() {
    if (m_focused == 0 || !QAccessible::isActive()) return;
    QAccessibleEvent event(m_labels[m_focused], QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void GroupBoard::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    if (m_focused == 0 || !m_labels[m_focused]->isVisibleTo(this)) {
        // The current group where it is shown, or else the first label in group order.
        int start = 0;
        if (m_current > 0 && m_labels[m_current]->isVisibleTo(this)) start = m_current;
        for (int g = 1; g <= MaxGroups && start == 0; ++g) {
            if (m_labels[g]->isVisibleTo(this)) start = g;
        }
        setFocused(start);
    } else {
        setFocused(m_focused);
    }
}

void GroupBoard::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    if (m_focused > 0) m_labels[m_focused]->setFocusFrame(false);
}

int GroupBoard::nextLabel(Qt::Key arrow) const {
    if (m_focused == 0 || !m_labels[m_focused]->isVisibleTo(this)) return 0;
    const QPointF from = m_labels[m_focused]->geometry().center();
    const QPointF direction = arrow == Qt::Key_Left    ? QPointF(-1, 0)
                              : arrow == Qt::Key_Right ? QPointF(1, 0)
                              : arrow == Qt::Key_Up    ? QPointF(0, -1)
                                                       : QPointF(0, 1);
    const bool forward = arrow == Qt::Key_Right || arrow == Qt::Key_Down;
    int best = 0;
    double bestScore = std::numeric_limits<double>::max();
    for (int g = 1; g <= MaxGroups; ++g) {
        if (g == m_focused || !m_labels[g]->isVisibleTo(this)) continue;
        const QPointF delta = m_labels[g]->geometry().center() - from;
        const double along = delta.x() * direction.x() + delta.y() * direction.y();
        const double across = std::abs(delta.x() * direction.y() - delta.y() * direction.x());
        double score = 0;
        if (along > 0) {
            // A label straight ahead comes before a nearer one far to the side.
            score = along + 2 * across;
        } else if (along == 0 && across == 0 && (g > m_focused) == forward) {
            // Labels lying on one another, as new groups do at the corner: in group order.
            score = std::abs(g - m_focused) * 1e-6;
        } else {
            continue;
        }
        if (score < bestScore) {
            bestScore = score;
            best = g;
        }
    }
    return best;
}

void GroupBoard::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    const int key = event->key();
    // Ctrl and "+" wherever the keyboard has it, with Shift or without.
    const bool control = (modifiers & ~Qt::ShiftModifier) == Qt::ControlModifier;
    if (control && (key == Qt::Key_Plus || key == Qt::Key_Equal)) {
        zoomIn();
        event->accept();
        return;
    }
    if (modifiers == Qt::ControlModifier) {
        if (key == Qt::Key_Minus) {
            zoomOut();
        } else if (key == Qt::Key_0) {
            zoomToFit();
        } else {
            QFrame::keyPressEvent(event);
            return;
        }
        event->accept();
        return;
    }
    const bool shown = m_focused > 0 && m_labels[m_focused]->isVisibleTo(this);
    if (modifiers == Qt::NoModifier &&
        (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down)) {
        if (!shown) {
            QFocusEvent again(QEvent::FocusIn, Qt::OtherFocusReason);
            focusInEvent(&again);
        } else if (const int next = nextLabel(static_cast<Qt::Key>(key)); next > 0) {
            setFocused(next);
        }
        event->accept();
        return;
    }
    const bool menu = (key == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
                      (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
    const bool space = key == Qt::Key_Space && modifiers == Qt::NoModifier;
    const bool enter =
        (key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::NoModifier;
    if (shown && (menu || space || enter)) {
        event->accept();
        emit labelKey(m_focused, menu ? Qt::Key_Menu : space ? Qt::Key_Space : Qt::Key_Return);
        return;
    }
    QFrame::keyPressEvent(event);
}

void GroupBoard::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Keyboard && m_focused > 0 &&
        m_labels[m_focused]->isVisibleTo(this)) {
        event->accept();
        emit labelKey(m_focused, Qt::Key_Menu);
        return;
    }
    QFrame::contextMenuEvent(event);
}

void GroupBoard::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() == Qt::ControlModifier && event->angleDelta().y() != 0) {
        if (event->angleDelta().y() > 0) {
            zoomIn();
        } else {
            zoomOut();
        }
        event->accept();
        return;
    }
    event->ignore();  // the scroll area scrolls
}

bool GroupBoard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_area) {
        if (event->type() == QEvent::Resize) rescale();
        return false;
    }
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

void GroupBoard::render(const App& app) {
    const MainScreen& screen = app.screen;
    m_current = app.run.currentGroup;
    for (int g = 1; g <= MaxGroups; ++g) {
        const GroupLabel& state = screen.Label1[g];
        BoardLabel* label = m_labels[g];
        const QString caption = toQtLines(state.caption);
        if (label->text() != caption) {
            label->setText(caption);
            fitLabel(g);
        }
        const QString name = toQt(state.name);
        if (label->toolTip() != name) {
            label->setToolTip(name);
            label->setAccessibleName(name);
        }
        const QString report = toQt(state.report);
        if (label->accessibleDescription() != report) label->setAccessibleDescription(report);
        const QColor colour(state.background.red, state.background.green, state.background.blue);
        if (label->palette().color(QPalette::Window) != colour) {
            QPalette pal = label->palette();
            pal.setColor(QPalette::Window, colour);
            pal.setColor(QPalette::WindowText, Qt::black);
            label->setPalette(pal);
        }
        const Group& group = app.work.groupTable[g];
        m_twips[g] = QPointF(group.boardLeft, group.boardTop);
        const QPoint position(toPixels(group.boardLeft), toPixels(group.boardTop));
        if (label->pos() != position) label->move(position);
        if (label->isVisibleTo(this) != state.visible) label->setVisible(state.visible);
    }
    if (m_focused > 0)
        m_labels[m_focused]->setFocusFrame(hasFocus() && screen.Label1[m_focused].visible);

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
