// Picture1, the group board: a free surface of at least 5430 x 4545 twips holding the 101 group
// labels at their twip positions (pixels = twips x logical DPI / 1440). It grows with the room it
// is given and reaches to every shown label; the labels keep their positions and size.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <array>

#include "commands/app.h"

namespace pelora::ui {

class GroupBoard : public QFrame {
    Q_OBJECT

public:
    static constexpr double WidthTwips = 5430;
    static constexpr double HeightTwips = 4545;

    explicit GroupBoard(QWidget* parent = nullptr);

    QSize sizeHint() const override { return minimumSize(); }  // as designed, or to the labels

    QLabel* label(int g) const { return m_labels[g]; }
    // The label of group g's number, or 0 when the widget is none of the labels.
    int labelNumber(const QWidget* widget) const;

    // A label's size in that font: 0.22 of the board wide and 0.11 of it high, or higher where
    // two lines of the font with Å, Ä and Ö need more.
    QSize labelSize(const QFont& font) const;

    int toPixels(double twips) const;
    double toTwips(double pixels) const;

    // Captions, visibility, colours, positions and stacking order from the work and the screen.
    void render(const App& app);

    // Shows label g following the mouse until the button is released; `hold` is where the label
    // was taken hold of, in pixels inside it.
    void beginDrag(int g, QPointF hold);
    bool dragging() const { return m_dragged != 0; }

    // The label under a board point, ignoring the copy that follows the mouse; 0 for none.
    int labelAt(QPoint boardPoint) const;

signals:
    void labelPressed(int g, Qt::MouseButton button, QPointF positionInLabel);
    // The left button pressed a second time in quick succession; the first press came as
    // labelPressed.
    void labelDoubleClicked(int g);
    // The dragged label was released at a point given in global coordinates.
    void labelDropped(int g, QPoint globalPosition);
    void labelHovered(int g);
    void surfaceHovered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::array<QLabel*, MaxGroups + 1> m_labels{};
    std::array<int, MaxGroups + 1> m_renderedOrder{};
    QLabel* m_ghost = nullptr;  // the dragged label's look, following the mouse
    int m_dragged = 0;
    QPointF m_hold;
};

}  // namespace pelora::ui
