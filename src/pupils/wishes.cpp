#include "pupils/wishes.h"

// The wish entry is filled in by its own change; until then these keep the callers building.
namespace pelora {

void ChooseClass(App&) {}
void ChooseStudent(App&) {}
void PreviousClass(App&) {}
void NextClass(App&) {}
void PreviousStudent(App&) {}
void NextStudent(App&) {}
void PickFromMemberList(App&, int) {}
void ShowCurrentStudent(App&) {}
void StoreWishText(App&) {}
void TidyWishBox(App&) {}
void UndoWishes(App&) {}
void AppendGroupToWishes(App&, int) {}

}  // namespace pelora
