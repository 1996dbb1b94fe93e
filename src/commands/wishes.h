// The wish entry's commands: stepping through classes and pupils, picking a pupil in the member
// list, storing what is typed in the wish box in the stored wish form, undo, and groups written
// into the wishes from the board.
#pragma once

#include "commands/app.h"

namespace pelora {

void PreviousClass(App& app);
void NextClass(App& app);
void PreviousStudent(App& app);
void NextStudent(App& app);
void PickFromMemberList(App& app, int line);

// Run on every change of the wish box text.
void StoreWishText(App& app);
// Run when the wish box loses focus.
void TidyWishBox(App& app);
void UndoWishes(App& app);
void AppendGroupToWishes(App& app, int g);

// A wish text in the form the wish box stores once it has lost the focus: each TAB starts a new
// wish, commas are blanks, upper case, no placement markers, no blanks around a wish and no
// empty lines.
std::string wishesAsStored(const std::string& typed);

}  // namespace pelora
