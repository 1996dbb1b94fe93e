#include "ui/groupboard.h"

#include <QApplication>
#include <QFontInfo>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "ui/textconv.h"

namespace pelora::ui {

namespace {

// "System" at 10 points where the font exists, else the closest thing: the bold UI font.
QFont labelFont() {
    QFont font(QStringLiteral("System"), 10);
    if (QFontInfo(font).family().compare(QStringLiteral("System"), Qt::CaseInsensitive) != 0) {
        font = QApplication::font();
        font.setPointSize(10);
        font.setBold(true);
    }
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
    setFixedSize(toPixels(WidthTwips), toPixels(HeightTwips));

    const QFont font = labelFont();
    const QSize size(toPixels(0.22 * WidthTwips), toPixels(0.11 * HeightTwips));
    for (int g = 0; g <= MaxGroups; ++g) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(g));
        label->setFont(font);
        label->setFixedSize(size);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Box);
        label->setAutoFillBackground(true);
        label->hide();
        label->raise();
        m_labels[g] = label;
    }
}

int GroupBoard::labelNumber(const QWidget* widget) const {
    for (int g = 1; g <= MaxGroups; ++g) {
        if (m_labels[g] == widget) return g;
    }
    return 0;
}

int GroupBoard::toPixels(double twips) const {
    double pixels = twips * logicalDpiX() / 1440.0;
    // A position far off the board must still be a position Qt can hold.
    pixels = std::clamp(pixels, -1.0e6, 1.0e6);
    return static_cast<int>(std::lround(pixels));
}

double GroupBoard::toTwips(double pixels) const { return pixels * 1440.0 / logicalDpiX(); }

void GroupBoard::render(const App& app) {
    const MainScreen& screen = app.screen;
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
    }

    std::array<int, MaxGroups + 1> order{};
    for (int g = 0; g <= MaxGroups; ++g) order[g] = screen.Label1[g].stackOrder;
    if (order != m_renderedOrder) {
        std::array<int, MaxGroups + 1> numbers{};
        std::iota(numbers.begin(), numbers.end(), 0);
        std::stable_sort(numbers.begin(), numbers.end(), [&order](int a, int b) {
            return order[a] < order[b];
        });
        for (int g : numbers) m_labels[g]->raise();
        m_renderedOrder = order;
    }
}

}  // namespace pelora::ui
