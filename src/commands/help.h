// Help: the manual (pel.rtf) found at start-up and cut into sections by its headings, shown in the
// help window (Form6, not modal) or in the help popup (Form7, modal); and the about box.
#pragma once

#include <optional>
#include <string>

#include "commands/app.h"

namespace pelora {

// Reads the manual from the first of the manual's places that holds it; sets manualMissing when
// none does. Fills the help window's chapter list; the text is made when help first needs it,
// and the window shows chapter 1 the first time it opens.
void loadManual(App& app);

// The part of the manual from the first `startHeading` (letter case ignored) up to the first
// `endHeading` after it, without the character before that. With show = 1 it is shown in the help
// popup. Nothing, after a message, when the manual is missing or a heading is not in it.
std::optional<RichText> ShowHelpSection(App& app, const std::string& startHeading,
                                        const std::string& endHeading, int show);

// "Hjälpavsnitt": the help window.
void Helptext(App& app);

// "Om programmet".
void help_about(App& app);

namespace form6 {

// A click on entry `index` of the chapter list: that chapter in the window.
void List1_Click(App& app, int index);
// "Stäng": hides the window, which keeps the chosen chapter.
void Command3_Click(App& app);

}  // namespace form6

namespace form7 {

// The popup's close box.
void Form_Unload(App& app);

}  // namespace form7

}  // namespace pelora
