// The print engine: one run's wish lists, earlier placements, class lists, group lists and
// not-placed lists as one document through the desktop's printer, and what every page of it has
// in common.
#pragma once

#include <functional>
#include <string>

#include "base/printer.h"
#include "commands/app.h"
#include "commands/listlayout.h"
#include "commands/printselection.h"

namespace pelora {

extern const char* const kPrintTitle;  // "Skriv ut", the title of every message of a run

// "Fel vid utskrift" and what failed; the run goes on.
void printError(App& app, const std::string& description);

// One step of a run: an error in it is told with printError, and the run goes on with the next.
void guardedStep(App& app, const std::function<void()>& step);

// Where the columns of the pages start, and how wide they are, as parts of the page width.
namespace column {
constexpr double kLeft = 0.10;  // the page head, the titles and the first column of every list
constexpr double kDate = 0.70;
constexpr double kWishes = 0.35;  // the wish list's wishes, side by side over kWishesWidth
constexpr double kWishesWidth = 0.60;
constexpr double kClassNameWidth = 0.39;  // the class list: the name, the group and its staff
constexpr double kClassGroup = 0.50;
constexpr double kClassGroupWidth = 0.14;
constexpr double kClassStaff = 0.65;
constexpr double kClassStaffWidth = 0.30;
constexpr double kEarlierNameWidth = 0.19;  // earlier placements: the name, then a column a file
constexpr double kEarlierFirst = 0.30;
constexpr double kEarlierStep = 0.125;
constexpr double kEarlierWidth = 0.12;
}  // namespace column

// Writes the lists of a run: the head every list starts with, text at a column, and each list's
// sheets once it is laid out.
class PageWriter {
public:
    enum class Kind { Wishes, Earlier, PerPeriod };

    explicit PageWriter(App& app);

    App& app() { return m_app; }
    const Work& work() const { return m_work; }
    Printer& printer() { return m_printer; }
    // Where a list's lines go until endList prints them.
    ListLayout& lines() { return m_lines; }

    // Starts a list: the school and the date, the term (with the period where the work has
    // several), the title.
    void header(Kind kind, int period, const std::string& title);
    // The lines from here on are the list itself; the title and what came after it stand again
    // at the top of every further sheet of the list.
    void body() { m_lines.body(); }
    void at(double where, const std::string& text);
    // The text cut to `width` so that it ends before the next column.
    void at(double where, double width, const std::string& text);
    // "Antal: " and the count with its sign blank and one trailing blank.
    void countLine(int count);
    // Prints the list's sheets, each with the school, its number in the list and the date at
    // its foot.
    void endList();

private:
    double W() { return m_printer.pageWidth(); }

    App& m_app;
    const Work& m_work;
    Printer& m_printer;
    ListLayout m_lines;
    std::string m_date;
};

// One whole run of the selection, ended with the printer's endDoc; a PDF is saved as the file
// chosen for the run.
void printDocument(App& app, const PrintSelection& selection);

}  // namespace pelora
