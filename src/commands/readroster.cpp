#include "commands/readroster.h"

#include "base/codec.h"
#include "base/files.h"
#include "base/keys.h"
#include "base/numbers.h"
#include "base/text.h"
#include "display/currentpupil.h"
#include "formats/roster.h"

namespace pelora {

namespace fs = std::filesystem;

const char* const kRosterFilter = "Elevlistor|*.txt;*.csv;*.xlsx;*.ods|Alla filer|*";

namespace {

// A roster path from a damaged work file can be a whole megabyte long; a message shows its start.
constexpr std::size_t kLongestPathShown = 300;
const std::string kRosterTitle = "Öppna elevlista"_cp;

std::string rosterMessage(const std::string& path, const std::string& problem) {
    return "Elevlistan "_cp + excerpt(path, kLongestPathShown) + " " + problem +
           " Inga elever har lästs in. Ange färre klasser under Klasser i startdata."_cp;
}

}  // namespace

fs::path rosterLocation(App& app, const std::string& studentListPath) {
    const fs::path path = nativePath(studentListPath);
    if (!isWholePath(path) && !app.run.workFilePath.empty()) {
        const fs::path beside = app.run.workFilePath.parent_path() / path;
        if (app.files.exists(beside)) return beside;
    }
    return path;
}

std::string absoluteRosterPath(App& app, const std::string& studentListPath) {
    if (studentListPath.empty()) return studentListPath;
    fs::path where = rosterLocation(app, studentListPath);
    if (!isWholePath(where)) where = app.files.currentFolder() / where;
    return cp1252Path(normalPath(where)).value_or(studentListPath);
}

bool Hamta_elever(App& app) {
    Work& work = app.work;
    for (auto& period : work.placement)
        period.fill(0);
    work.classCount = 0;
    work.studentCount = 0;

    std::optional<std::string> bytes =
        app.files.read(rosterLocation(app, work.start.studentListPath));
    while (!bytes) {
        const std::string& path = work.start.studentListPath;
        std::string answer = trimBlanks(singleLine(app.desktop.InputBox(
            "Kan ej öppna "_cp + excerpt(path, kLongestPathShown) + ". Ange ny sökväg."_cp,
            kRosterTitle, path)));
        // Giving up at the box leaves the file dialog, or the work as it was.
        if (answer.empty()) {
            if (app.desktop.MsgBox("Vill du leta upp elevlistan?", Desktop::Buttons::YesNo,
                                   Desktop::Icon::Question, kRosterTitle) != Desktop::Answer::Yes)
                return false;
            const std::optional<fs::path> chosen =
                app.desktop.OpenFileDialog({kRosterFilter, "txt", nativePath(path)});
            if (!chosen || chosen->empty()) return false;
            answer = cp1252Path(*chosen).value_or(displayPath(*chosen));
        }
        work.start.studentListPath = absoluteRosterPath(app, answer);
        bytes = app.files.read(rosterLocation(app, work.start.studentListPath));
    }

    const Roster roster = readRoster(*bytes, work.start.classFilter);
    if (roster.error) {
        using Kind = Roster::Error::Kind;
        const std::string line = " (rad " + plainNumber(roster.error->line) + ")";
        switch (roster.error->kind) {
            case Kind::BadFormat:
                app.desktop.MsgBox(
                    "Elevlistan "_cp + excerpt(work.start.studentListPath, kLongestPathShown) +
                        ", rad " + plainNumber(roster.error->line) +
                        ": raden har namn och personnummer men ingen klass. Inga "
                        "elever har lästs in."_cp,
                    Desktop::Buttons::Ok, Desktop::Icon::Exclamation, "Fel i elevfil");
                break;
            case Kind::TooManyPupils:
                app.desktop.MsgBox(
                    rosterMessage(work.start.studentListPath,
                                  "har fler än 600 elever i de klasser som ska läsas in"_cp + line +
                                      ". Programmet hanterar högst 600 elever."_cp),
                    Desktop::Buttons::Ok, Desktop::Icon::Exclamation, kRosterTitle);
                break;
            case Kind::TooManyClasses:
                app.desktop.MsgBox(rosterMessage(work.start.studentListPath,
                                                 "har fler än 50 klasser"_cp + line +
                                                     ". Programmet hanterar högst 50 klasser."_cp),
                                   Desktop::Buttons::Ok, Desktop::Icon::Exclamation, kRosterTitle);
                break;
            case Kind::MissingColumn:
            case Kind::NoRoster:
                app.desktop.MsgBox(
                    "Elevlistan "_cp + excerpt(work.start.studentListPath, kLongestPathShown) +
                        (roster.error->kind == Kind::NoRoster
                             ? " är varken en textfil, en CSV-fil eller ett kalkylblad (.xlsx, "
                               ".ods) som programmet kan läsa."_cp
                             : " har rubriker men ingen kolumn " + roster.error->column + ".") +
                        " Inga elever har lästs in."_cp,
                    Desktop::Buttons::Ok, Desktop::Icon::Exclamation, kRosterTitle);
                break;
        }
    }

    for (std::size_t k = 0; k < roster.pupils.size(); ++k)
        work.studentTable[k + 1] = roster.pupils[k];
    work.studentCount = static_cast<int>(roster.pupils.size());
    for (std::size_t c = 0; c < roster.classes.size(); ++c)
        work.classList[c + 1] = roster.classes[c];
    work.classCount = static_cast<int>(roster.classes.size());

    MainScreen& screen = app.screen;
    screen.Combo1.clear();
    for (int c = 1; c <= work.classCount; ++c)
        screen.Combo1.addItem(work.classList[c]);
    if (work.studentCount > 0) {
        screen.Combo1.text = work.classList[1];
        ChooseClass(app);
    }
    return !roster.error;
}

void reportSharedKeys(App& app, const std::string& title) {
    const std::vector<std::vector<int>> shared = sharedKeyGroups(app.work);
    if (shared.empty()) return;
    std::vector<std::string> pupils;
    for (const std::vector<int>& group : shared) {
        for (const int i : group) {
            const Student& pupil = app.work.studentTable[i];
            pupils.push_back(pupil.name + " (" + pupil.className + ")");
        }
    }
    app.desktop.MsgBox(
        "Dessa elever har samma nyckel i elevlistan, eftersom deras personnummer är tillfälliga, "
        "saknas eller bara skiljer sig i första eller sista siffran: "_cp +
            nameList(pupils) +
            ".\r\n\r\nPelora håller isär dem efter deras ordning i elevlistan, så ändra inte "
            "den ordningen. Exporten till Lumidor kan inte skilja dem åt."_cp,
        Desktop::Buttons::Ok, Desktop::Icon::Information, title);
}

}  // namespace pelora
