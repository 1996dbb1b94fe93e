// What the mouse does on the group board: pressing a label (select, pop-up menu, drag, or writing
// the group into the wishes), dropping a dragged label, hovering, and the period stepper.
#pragma once

#include "commands/app.h"

namespace pelora {

enum class MouseButton { Left, Right, Middle };

// What the board does after a mouse button went down on a label.
enum class LabelPress { Nothing, OpenPopup, StartDrag };

// A button pressed on label g at (x, y) twips inside the label. With "För in grupper i
// Önskemål" ticked the group is written into the wishes and nothing else happens; otherwise the
// group becomes the current group, and the right button opens the pop-up menu while any other
// button takes hold of the label to drag it. Looking at a group is no change of the work.
LabelPress Label1_MouseDown(App& app, int g, MouseButton button, double x, double y);

// The dragged label dropped on the board's free surface at board point (x, y) twips; the work has
// changed when the label moved.
void Picture1_DragDrop(App& app, int dragged, double x, double y);

// The dragged label dropped on label `target` (possibly itself) at (x, y) twips inside it.
void Label1_DragDrop(App& app, int target, int dragged, double x, double y);

// The mouse moving over label g, and over the board's free surface.
void Label1_MouseMove(App& app, int g);
void Picture1_MouseMove(App& app);

// "Ordna etiketterna": every label the board shows put in a grid in group order, four to a row
// from the board's top-left corner, as one step of the edit history. Rows that the board's height
// cannot hold apart are drawn closer, so that every label stays on the board.
void Redigera_ordna(App& app);

// The period stepper: ">" and "<", each wrapping around.
void Command9_Click(App& app);
void Command10_Click(App& app);

}  // namespace pelora
