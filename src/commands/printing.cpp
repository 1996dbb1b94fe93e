#include "commands/printing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <functional>
#include <utility>

#include "base/codec.h"
#include "base/files.h"
#include "base/keys.h"
#include "base/numbers.h"
#include "base/text.h"
#include "commands/help.h"
#include "formats/earlier.h"

namespace pelora {

namespace fs = std::filesystem;

namespace {

const char* const kTitle = "Skriv ut";
const char* const kFont = "Times New Roman";
constexpr int kEarlierColumns = 5;
// An earlier work file larger than this is no work file (the largest holds 600 pupils).
constexpr std::uintmax_t kLargestEarlierFile = 16 * 1024 * 1024;

// What one run prints; each list holds names between blanks, " * " for all.
struct PrintSelection {
    std::string groups, classes, wishClasses, earlierClasses, periods;
    bool notPlaced = false;
};

bool selects(const std::string& list, const std::string& name) {
    return list == " * " || list.find(" " + name + " ") != std::string::npos;
}

bool selectsPeriod(const std::string& list, int p) {
    return list.find(" " + plainNumber(p) + " ") != std::string::npos;
}

// "Fel vid utskrift": the step that failed is skipped and the run goes on.
void printError(App& app, const std::string& description) {
    app.desktop.MsgBox("Fel vid utskrift\r\n" + description, Desktop::Buttons::Ok,
                       Desktop::Icon::Exclamation, kTitle);
}

void guardedStep(App& app, const std::function<void()>& step) {
    try {
        step();
    } catch (const ProgramEnd&) {
        throw;
    } catch (const std::exception& error) {
        printError(app, utf8ToCp1252(error.what()));
    }
}

class Engine {
public:
    Engine(App& app, const PrintSelection& selection)
        : m_app(app), m_work(app.work), m_printer(app.desktop.printer()), m_selection(selection) {
        const Date today = app.desktop.today();
        char date[16];
        std::snprintf(date, sizeof date, "%02d-%02d-%04d", today.day, today.month, today.year);
        m_date = date;
    }

    void run() {
        const Work& work = m_work;
        for (int c = 1; c <= work.classCount; ++c) {
            if (selects(m_selection.wishClasses, work.classList[c])) {
                guardedStep(m_app, [&] { wishList(work.classList[c]); });
            }
        }
        if (!trimBlanks(m_selection.earlierClasses).empty()) earlierPlacements();
        for (int p = 1; p <= work.start.periodCount && p <= MaxPeriods; ++p) {
            if (!selectsPeriod(m_selection.periods, p)) continue;
            for (int c = 1; c <= work.classCount; ++c) {
                if (selects(m_selection.classes, work.classList[c])) {
                    guardedStep(m_app, [&] { classList(work.classList[c], p); });
                }
            }
            for (int g = 1; g <= work.groupCount; ++g) {
                if (groupPeriod(work, g) == p &&
                    selects(m_selection.groups, work.groupTable[g].name)) {
                    guardedStep(m_app, [&] { groupList(g, p); });
                }
            }
            if (m_selection.notPlaced) guardedStep(m_app, [&] { notPlacedList(p); });
        }
        guardedStep(m_app, [&] { finish(m_printer.endDoc()); });
    }

private:
    enum class Kind { Wishes, Earlier, PerPeriod };

    // A PDF is saved as the file chosen for the run, a full disk told like any failed save.
    void finish(const PrintedDocument& document) {
        if (!document.problem.empty()) printError(m_app, document.problem);
        if (!document.pdf) return;
        const fs::path& path = m_app.form4.pdfFile;
        const SaveResult saved = saveFile(m_app.files, path, *document.pdf);
        if (!saved) printError(m_app, cannotSave(path, saved));
    }

    double W() { return m_printer.pageWidth(); }

    void at(double fraction, const std::string& text) {
        m_printer.setCurrentX(fraction * W());
        m_printer.print(text);
    }

    void header(Kind kind, int period, const std::string& title) {
        const StartData& start = m_work.start;
        m_printer.setFontName(kFont);
        m_printer.setFontSize(12);
        m_printer.endLine();
        at(0.10, start.school);
        at(0.70, m_date);
        m_printer.endLine();
        switch (kind) {
            case Kind::Wishes:
                at(0.10, start.periodLabel);
                m_printer.endLine();
                m_printer.endLine();
                m_printer.endLine();
                break;
            case Kind::Earlier:
                m_printer.endLine();
                m_printer.endLine();
                break;
            case Kind::PerPeriod:
                at(0.10, start.periodLabel + "  ");
                if (start.periodCount > 1) {
                    m_printer.print("Period " + plainNumber(period));
                    m_printer.endLine();
                }
                m_printer.endLine();
                m_printer.endLine();
                break;
        }
        m_printer.setFontSize(16);
        at(0.10, title);
        m_printer.endLine();
    }

    // "Antal: " and the count with its sign blank and one trailing blank.
    void countLine(int count) {
        m_printer.endLine();
        at(0.10, "Antal: " + fileNumber(count));
        m_printer.endLine();
    }

    void wishList(const std::string& className) {
        const Work& work = m_work;
        header(Kind::Wishes, 0, work.start.activity + ", önskemål "_cp + className);
        m_printer.endLine();
        m_printer.setFontSize(10);

        // Each wish line by its base name, so that a note on one line cuts off only that line.
        std::vector<std::vector<std::string>> wishes;
        for (int i = 1; i <= work.studentCount; ++i) {
            if (work.studentTable[i].className != className) continue;
            std::vector<std::string> own;
            const std::string text = CleanLines(work.studentTable[i].wishes);
            for (std::size_t start = 0; start <= text.size() && !text.empty() && own.size() < 10;) {
                std::size_t end = text.find(CRLF, start);
                if (end == std::string::npos) end = text.size();
                own.push_back(trimBlanks(BaseName(text.substr(start, end - start))));
                start = end + 2;
            }
            m_wishColumns = std::max(m_wishColumns, static_cast<int>(own.size()));
            wishes.push_back(std::move(own));
        }
        m_wishColumns = std::max(m_wishColumns, 3);
        const double column = 0.60 * W() / m_wishColumns;

        std::size_t row = 0;
        for (int i = 1; i <= work.studentCount; ++i) {
            if (work.studentTable[i].className != className) continue;
            at(0.10, work.studentTable[i].name);
            const std::vector<std::string>& own = wishes[row++];
            for (int k = 1; k <= m_wishColumns; ++k) {
                std::string wish = static_cast<std::size_t>(k) <= own.size()
                                       ? own[static_cast<std::size_t>(k - 1)]
                                       : std::string();
                const double width = m_printer.textWidth(wish);
                if (width > column) {
                    wish.resize(static_cast<std::size_t>(
                        std::floor(static_cast<double>(wish.size()) * column / width)));
                }
                m_printer.setCurrentX(0.35 * W() + (k - 1) * column);
                m_printer.print(wish);
            }
            m_printer.endLine();
        }
        m_printer.newPage();
    }

    void classList(const std::string& className, int p) {
        const Work& work = m_work;
        header(Kind::PerPeriod, p, work.start.activity + "    " + className);
        m_printer.endLine();
        m_printer.setFontSize(12);
        for (int i = 1; i <= work.studentCount; ++i) {
            if (work.studentTable[i].className != className) continue;
            const int g = work.placement[p][i];
            const bool placed = g >= 1 && g <= MaxGroups;
            // Each column cut to the room before the next, so that a long group name is never
            // printed over the staff.
            at(0.10, FitToWidth(m_printer, work.studentTable[i].name, 0.39));
            at(0.50, FitToWidth(m_printer, placed ? work.groupTable[g].name : std::string(), 0.14));
            at(0.65,
               FitToWidth(m_printer, placed ? work.groupTable[g].staff : std::string(), 0.30));
            m_printer.endLine();
        }
        m_printer.newPage();
    }

    void groupList(int g, int p) {
        const Work& work = m_work;
        const Group& group = work.groupTable[g];
        header(Kind::PerPeriod, p, work.start.activity + "   " + group.name);
        m_printer.setFontSize(14);
        at(0.10, group.staff);
        m_printer.endLine();
        m_printer.endLine();
        m_printer.setFontSize(12);
        int count = 0;
        for (int i = 1; i <= work.studentCount; ++i) {
            if (work.placement[p][i] != g) continue;
            at(0.10, work.studentTable[i].className + "  " + work.studentTable[i].name);
            m_printer.endLine();
            ++count;
        }
        countLine(count);
        m_printer.newPage();
    }

    void notPlacedList(int p) {
        const Work& work = m_work;
        header(Kind::PerPeriod, p, work.start.activity + ", ej placerade");
        m_printer.endLine();
        m_printer.setFontSize(12);
        int count = 0;
        for (int i = 1; i <= work.studentCount; ++i) {
            if (work.placement[p][i] != 0) continue;
            at(0.10, work.studentTable[i].className + "  " + work.studentTable[i].name);
            m_printer.endLine();
            ++count;
        }
        countLine(count);
        m_printer.newPage();
    }

    // Up to five earlier work files of the chosen folder, each a column of every pupil's group.
    void earlierPlacements() {
        const Work& work = m_work;
        if (work.start.periodCount > 1) {
            m_app.desktop.MsgBox(
                "Utskrift av tidigare placeringar görs bara vid gruppfördelning för en period."_cp,
                Desktop::Buttons::Ok, Desktop::Icon::Exclamation, kTitle);
            return;
        }
        // The last five files in the order the dialog lists them.
        const std::vector<std::string>& files = m_app.form4.fileNames;
        const std::size_t first =
            files.size() > kEarlierColumns ? files.size() - kEarlierColumns : 0;
        std::vector<std::string> heads;
        std::vector<std::array<std::string, MaxStudents + 1>> columns;
        for (std::size_t k = first; k < files.size(); ++k) {
            const std::string name = displayPath(files[k]);
            heads.push_back(name.substr(0, name.find('.')));
            columns.emplace_back();
            readEarlierColumn(files[k], columns.back());
        }

        for (int c = 1; c <= work.classCount; ++c) {
            if (!selects(m_selection.earlierClasses, work.classList[c])) continue;
            guardedStep(m_app, [&] { earlierPage(work.classList[c], heads, columns); });
        }
    }

    void readEarlierColumn(const fs::path& name, std::array<std::string, MaxStudents + 1>& column) {
        guardedStep(m_app, [&] {
            const fs::path path = m_app.form4.folder / name;
            const std::optional<std::uintmax_t> size = m_app.files.fileSize(path);
            std::optional<std::string> bytes;
            if (size && *size <= kLargestEarlierFile) bytes = m_app.files.read(path);
            if (!bytes) {
                const bool tooLarge = size && *size > kLargestEarlierFile;
                printError(m_app,
                           displayPath(path) + (tooLarge ? " är för stor för en arbetsfil."_cp
                                                         : " kan inte läsas."_cp));
                return;
            }
            const EarlierFile file = readEarlierFile(*bytes);
            if (file.error) {
                printError(m_app, displayPath(path) + ", rad " + plainNumber(file.error->line) +
                                      ": " + file.error->problem);
            }
            // Pupils who share a key are told apart by order, as an open does: the k-th line
            // with a key is the k-th pupil with it.
            PupilsByKey pupils(m_work);
            for (const EarlierFile::Placement& line : file.pupils) {
                const int i = pupils.next(line.key);
                if (i > 0) column[static_cast<std::size_t>(i)] = file.groupName(line.group);
            }
        });
    }

    void earlierPage(const std::string& className, const std::vector<std::string>& heads,
                     const std::vector<std::array<std::string, MaxStudents + 1>>& columns) {
        const Work& work = m_work;
        header(Kind::Earlier, 0, work.start.activity + ", tidigare placeringar " + className);
        m_printer.endLine();
        m_printer.setFontSize(10);
        for (std::size_t k = 0; k < heads.size(); ++k)
            at(0.30 + static_cast<double>(k) * 0.125, FitToWidth(m_printer, heads[k], 0.12));
        m_printer.endLine();
        m_printer.endLine();
        for (int i = 1; i <= work.studentCount; ++i) {
            if (work.studentTable[i].className != className) continue;
            at(0.10, FitToWidth(m_printer, work.studentTable[i].name, 0.19));
            for (std::size_t k = 0; k < kEarlierColumns; ++k) {
                const std::string cell =
                    k < columns.size() ? columns[k][static_cast<std::size_t>(i)] : std::string();
                at(0.30 + static_cast<double>(k) * 0.125, FitToWidth(m_printer, cell, 0.12));
            }
            m_printer.endLine();
        }
        m_printer.newPage();
    }

    App& m_app;
    const Work& m_work;
    Printer& m_printer;
    const PrintSelection& m_selection;
    std::string m_date;
    int m_wishColumns = 0;
};

// A name field of the dialog as a selection: "*" for its "Alla" box, then names between blanks.
std::string nameList(const TextBox& field, const CheckBox& all) {
    const std::string value = all.value == 1 ? "*" : NormalizeUpper(singleLine(field.text));
    return " " + CommasToSpaces(value) + " ";
}

// The print dialog's selection; nothing, after telling why where that is needed, when nothing
// is to be printed.
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
                           kTitle);
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

// Where the computer has no printer, or a PDF file was chosen as the printer, the file is named
// for every run, so that one run never silently overwrites the last. False when the user cancels.
bool chooseOutputFile(App& app) {
    Printer& printer = app.desktop.printer();
    if (!printer.printsToFile()) return true;
    const std::optional<fs::path> chosen =
        app.desktop.SaveFileDialog({"*.pdf|*.pdf", "pdf", app.form4.pdfFile});
    if (!chosen || chosen->empty()) return false;
    app.form4.pdfFile = *chosen;
    if (app.files.exists(*chosen) &&
        app.desktop.MsgBox(
            displayPath(*chosen) +
                ". Fil med detta namn finns redan. Vill du ersätta befintlig fil?"_cp,
            Desktop::Buttons::YesNo, Desktop::Icon::Question, kTitle) != Desktop::Answer::Yes) {
        return false;
    }
    printer.setOutputFile(*chosen);
    return true;
}

// The work files of a folder: "*.pel" in any letter case, sorted by name in any letter case.
std::vector<std::string> workFilesIn(App& app, const fs::path& folder) {
    auto key = [](const std::string& name) { return upperCp1252(utf8ToCp1252(name)); };
    std::vector<std::string> names;
    for (const std::string& name : app.files.filesIn(folder)) {
        if (name.size() > 4 && key(name.substr(name.size() - 4)) == ".PEL") names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [&key](const std::string& a, const std::string& b) {
        const std::string ka = key(a), kb = key(b);
        return ka != kb ? ka < kb : a < b;
    });
    return names;
}

void showFolder(App& app) {
    PrintScreen& dialog = app.form4;
    dialog.Dir1.caption = displayPath(dialog.folder);
    dialog.fileNames = workFilesIn(app, dialog.folder);
    dialog.File1.clear();
    for (const std::string& name : dialog.fileNames)
        dialog.File1.addItem(displayPath(name));
}

}  // namespace

std::string FitToWidth(Printer& printer, const std::string& text, double fraction) {
    std::string fitted = text;
    const double limit = fraction * printer.pageWidth();
    while (!fitted.empty() && printer.textWidth(fitted) > limit)
        fitted.pop_back();
    return fitted;
}

void PrintLists(App& app) {
    Work& work = app.work;
    // The group named from the pop-up menu is for this run only, however it ends: a run that
    // prints nothing or fails must not leave it for the next run from the dialog.
    const std::string name = std::exchange(app.run.printGroupName, std::string());
    if (work.studentCount == 0) {
        app.desktop.MsgBox("Det finns inget att skriva ut!", Desktop::Buttons::Ok,
                           Desktop::Icon::Exclamation, kTitle);
        return;
    }
    PrintSelection selection;
    if (!name.empty()) {
        selection.groups = " " + name + " ";
        app.form4.Check3.value = 0;
        std::string period;
        for (int g = 1; g <= work.groupCount; ++g) {
            if (work.groupTable[g].name == name) period = plainNumber(groupPeriod(work, g));
        }
        selection.periods = " " + period + " ";
    } else {
        std::optional<PrintSelection> chosen = dialogSelection(app);
        if (!chosen) return;
        selection = *chosen;
    }
    if (!chooseOutputFile(app)) return;

    // The files of earlier terms as they are now.
    if (!trimBlanks(selection.earlierClasses).empty()) showFolder(app);
    Engine(app, selection).run();
    app.form4.visible = false;
}

void Arkiv_skrivare(App& app) {
    app.desktop.PrinterSetup();
}

void Arkivskrivut(App& app) {
    app.form4.visible = true;
    form4::Form_Activate(app);
    app.desktop.ShowDialog(Dialog::PrintDialog);
}

void H_klick_skrivut(App& app) {
    const int g = app.run.currentGroup;
    if (g < 1 || g > app.work.groupCount) return;
    const std::string& name = app.work.groupTable[g].name;
    if (app.desktop.MsgBox("Vill du skriva ut grupplista för "_cp + name, Desktop::Buttons::YesNo,
                           Desktop::Icon::Question, kTitle) != Desktop::Answer::Yes) {
        return;
    }
    app.run.printGroupName = name;
    PrintLists(app);
}

namespace form4 {

void Form_Activate(App& app) {
    if (app.form4.folder.empty()) app.form4.folder = app.files.currentFolder();
    showFolder(app);
    app.screen.focusRequest = Focus::PrintGroups;
}

void Command1_Click(App& app) {
    PrintLists(app);
}

void Command2_Click(App& app) {
    app.form4.visible = false;
}

void Command3_Click(App& app) {
    ShowHelpSection(app, "6. Utskrifter", "7. Spara", 1);
}

void Command4_Click(App& app) {
    PrintScreen& dialog = app.form4;
    for (TextBox* field :
         {&dialog.Text1, &dialog.Text2, &dialog.Text3, &dialog.Text4, &dialog.Text5})
        field->text.clear();
    for (CheckBox* box : {&dialog.Check1, &dialog.Check2, &dialog.Check3, &dialog.Check4,
                          &dialog.Check5, &dialog.Check6}) {
        box->value = 0;
    }
}

void Command5_Click(App& app) {
    const std::optional<fs::path> chosen = app.desktop.FolderDialog(app.form4.folder);
    if (!chosen) return;
    app.form4.folder = *chosen;
    showFolder(app);
}

}  // namespace form4

}  // namespace pelora
