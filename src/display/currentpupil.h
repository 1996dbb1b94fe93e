// The current pupil as the wish entry shows it: the class box with that class's pupils, the pupil
// box, and the wish box with a placement marker ("  *P2") after each wish the pupil is placed in.
#pragma once

#include "display/view.h"

namespace pelora {

// The pupils of the class typed or chosen in the class box; the first becomes the current pupil.
void ChooseClass(View view);

// The pupil typed or chosen in the pupil box. `index` is the item clicked, -1 when the text was
// typed: then the first item with that text is the one, as two pupils may share a name.
void ChooseStudent(View view, int index = -1);

// Shows currentStudent in the class box, the pupil box and the wish box.
void ShowCurrentStudent(View view);

}  // namespace pelora
