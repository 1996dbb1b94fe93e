// The wish entry: choosing a class and a pupil, the wish box with its placement markers, storing
// what is typed in the stored wish form, undo, and groups written into the wishes from the board.
#pragma once

#include "work/app.h"

namespace pelora {

void ChooseClass(App& app);
void ChooseStudent(App& app);
void PreviousClass(App& app);
void NextClass(App& app);
void PreviousStudent(App& app);
void NextStudent(App& app);
void PickFromMemberList(App& app, int line);

// Shows currentStudent in the class box, the pupil box and the wish box.
void ShowCurrentStudent(App& app);

// Run on every change of the wish box text.
void StoreWishText(App& app);
// Run when the wish box loses focus.
void TidyWishBox(App& app);
void UndoWishes(App& app);
void AppendGroupToWishes(App& app, int g);

}  // namespace pelora
