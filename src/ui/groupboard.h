// Picture1, the group board: the free surface of 5430 x 4545 twips holding the 101 group labels at
// their twip positions. The board is drawn as large as the room it is given allows and can be
// zoomed from there; a label left outside it is clipped. Labels grow with the zoom, and never so
// small that their caption is cut. From the keyboard the arrow keys move the focus from label to
// label, and the focused label is pressed, placed in and opened as with the mouse.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <array>

#include "commands/app.h"

class QScrollArea;

namespace pelora::ui {

class BoardLabel;

class GroupBoard : public QFrame {
    Q_OBJECT

public:
    static constexpr double WidthTwips = 5430;
    static constexpr double HeightTwips = 4545;

    explicit GroupBoard(QWidget* parent = nullptr);

    // Puts the board into the scroll area and follows the room it gives: at the fitting zoom
    // the whole board is in view.
    void placeIn(QScrollArea* area);

    QSize sizeHint() const override;

    QLabel* label(int g) const;
    // The label of group g's number, or 0 when the widget is none of the labels.
    int labelNumber(const QWidget* widget) const;

    int toPixels(double twips) const;
    double toTwips(double pixels) const;

    // Pixels per twip; the zoom is a number of steps of a quarter up or down from the fitting one.
    double scale() const { return m_scale; }
    int zoomSteps() const { return m_zoomSteps; }
    void zoomIn();
    void zoomOut();
    void zoomToFit();

    // The label with the focus frame while the board has the focus; 0 for none.
    int focusedLabel() const { return m_focused; }
    // Gives the board the focus with label g's frame, as a press of the mouse on it does.
    void takeFocus(int g);

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
    // Space, Enter, or the menu key and Shift+F10, on the focused label.
    void labelKey(int g, Qt::Key key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Sizes the board, the labels and their font for the zoom, and moves every label.
    void rescale();
    // Label g as large as designed at this zoom, or larger where its caption needs it.
    void fitLabel(int g);
    void setZoomSteps(int steps);
    // The nearest shown label from the focused one in the direction of the arrow key.
    int nextLabel(Qt::Key arrow) const;
    void setFocused(int g);
    void updateAccessibleFocus();

    std::array<BoardLabel*, MaxGroups + 1> m_labels{};
    std::array<int, MaxGroups + 1> m_renderedOrder{};
    std::array<QPointF, MaxGroups + 1> m_twips{};  // where each label stands on the board
    QLabel* m_ghost = nullptr;                     // the dragged label's look, following the mouse
    QScrollArea* m_area = nullptr;
    QFont m_font;
    double m_scale = 1.0 / 15;
    int m_zoomSteps = 0;
    int m_dragged = 0;
    int m_focused = 0;
    int m_current = 0;  // the current group, where the focus starts
    QPointF m_hold;
};

}  // namespace pelora::ui
