// The start data dialog (Form3): school, activity, term, roster, classes, number of periods and
// the three switches, for "Nytt" and for "Redigera startdata". The dialog tells its two uses
// apart by its caption; its fields live in App::form3 between showings.
#pragma once

#include <string>

#include "commands/app.h"

namespace pelora {

// Shows the dialog modally with the caption "Nytt" or "Redigera startdata", filled from the
// start data; returns when it is hidden again.
void showStartDataDialog(App& app, const std::string& caption);

namespace form3 {

// Fills the fields from the start data each time the dialog is shown.
void Form_Activate(App& app);
// Keeps "Visa alla perioder samtidigt" in step with the number of periods typed.
void Text6_Change(App& app);
// "OK": stores the fields, checks the number of periods, and hides the dialog.
void Command1_Click(App& app);
// "Avbryt", also the window's close box.
void Command2_Click(App& app);
// "Hjälp"
void Command3_Click(App& app);
// "Bläddra": picks the roster file.
void Command4_Click(App& app);

}  // namespace form3

// "Redigera startdata": the dialog for the current work.
void red_startdata(App& app);

}  // namespace pelora
