// What one print run prints: the lists chosen in the print dialog's fields, or the one group
// chosen from the board's pop-up menu.
#pragma once

#include <optional>
#include <string>

#include "commands/app.h"

namespace pelora {

// Each list holds names between blanks, " * " for all.
struct PrintSelection {
    std::string groups, classes, wishClasses, earlierClasses, periods;
    bool notPlaced = false;

    bool selects(const std::string& list, const std::string& name) const {
        return list == " * " || list.find(" " + name + " ") != std::string::npos;
    }
    bool selectsPeriod(int p) const;
    bool printsEarlier() const;
};

// The print dialog's fields as a selection; nothing, after telling why where that is needed,
// when nothing is to be printed. Names are typed in any case between blanks or commas, "*" or
// an "Alla" box for all; the period field counts only where the work has several periods.
std::optional<PrintSelection> dialogSelection(App& app);

// Group g's list, in the period its pupils are placed in.
PrintSelection groupSelection(const Work& work, int g);

}  // namespace pelora
