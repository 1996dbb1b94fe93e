#include "commands/printselection.h"

#include "base/numbers.h"
#include "base/text.h"
#include "commands/printengine.h"

namespace pelora {

namespace {

// A name field as a selection: "*" for its "Alla" box, then names between blanks.
std::string nameList(const TextBox& field, const CheckBox& all) {
    const std::string value = all.value == 1 ? "*" : NormalizeUpper(singleLine(field.text));
    return " " + CommasToSpaces(value) + " ";
}

}  // namespace

bool PrintSelection::selectsPeriod(int p) const {
    return periods.find(" " + plainNumber(p) + " ") != std::string::npos;
}

bool PrintSelection::printsEarlier() const {
    return !trimBlanks(earlierClasses).empty();
}

std::optional<PrintSelection> dialogSelection(App& app) {
    const PrintScreen& dialog = app.form4;
    const int periodCount = app.work.start.periodCount;
    PrintSelection selection;
    if (periodCount == 1) {
        selection.periods = " 1 ";
    } else if (dialog.Check5.value == 1) {
        for (int p = 1; p <= periodCount; ++p)
            selection.periods += " " + plainNumber(p) + " ";
    } else {
        selection.periods = " " + CommasToSpaces(singleLine(dialog.Text4.text)) + " ";
    }
    if (trimBlanks(selection.periods).empty()) {
        app.desktop.MsgBox("Ange period.", Desktop::Buttons::Ok, Desktop::Icon::Exclamation,
                           kPrintTitle);
        return std::nullopt;
    }
    selection.groups = nameList(dialog.Text1, dialog.Check1);
    selection.classes = nameList(dialog.Text2, dialog.Check2);
    selection.wishClasses = nameList(dialog.Text3, dialog.Check4);
    selection.earlierClasses = nameList(dialog.Text5, dialog.Check6);
    selection.notPlaced = dialog.Check3.value == 1;
    const std::string names =
        selection.groups + selection.classes + selection.wishClasses + selection.earlierClasses;
    if (trimBlanks(names).empty() && !selection.notPlaced) return std::nullopt;
    return selection;
}

PrintSelection groupSelection(const Work& work, int g) {
    PrintSelection selection;
    selection.groups = " " + work.groupTable[g].name + " ";
    selection.periods = " " + plainNumber(groupPeriod(work, g)) + " ";
    return selection;
}

}  // namespace pelora
