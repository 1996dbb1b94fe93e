#include "commands/opensave.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "base/codec.h"
#include "base/files.h"
#include "base/keys.h"
#include "base/numbers.h"
#include "base/text.h"
#include "commands/lifecycle.h"
#include "commands/readroster.h"
#include "commands/recovery.h"
#include "display/board.h"
#include "display/currentpupil.h"
#include "display/overview.h"
#include "display/status.h"
#include "formats/workfile.h"

namespace pelora {

namespace fs = std::filesystem;

const std::string kOpenTitle = "Öppna"_cp;

namespace {

const char* const kFilter = "*.pel|*.pel";

// How reading a file ended.
enum class Reading { Finished, Cancelled, Refused };

// Reads a work file into the cleared work, asking the user where the file says something the
// program must ask about: a bad pupil line, a roster that cannot be opened.
class WorkReader {
public:
    WorkReader(App& app, const std::string& bytes) : m_app(app), m_file(bytes) {}

    Reading read() {
        Work& work = m_app.work;
        while (std::optional<WorkFileItem> item = m_file.next()) {
            if (item->refusal) {
                refuse(*item->refusal);
                return Reading::Refused;
            }
            switch (item->kind) {
                case WorkLine::Activity:
                    work.start.activity = item->text;
                    break;
                case WorkLine::School:
                    work.start.school = item->text;
                    break;
                case WorkLine::PeriodLabel:
                    work.start.periodLabel = item->text;
                    break;
                case WorkLine::Classes:
                    work.start.classFilter = item->text;
                    break;
                case WorkLine::StudentList:
                    work.start.studentListPath = item->text;
                    if (!Hamta_elever(m_app)) {
                        // The roster's own message has said why.
                        message(displayPath(m_app.run.workFilePath) + " kan inte öppnas."_cp);
                        return Reading::Refused;
                    }
                    // Reading the roster cleared every placement, so nothing counted so far holds.
                    RecountGroupMembers(work);
                    m_pupils.reset();
                    break;
                case WorkLine::PeriodCount:
                    work.start.periodCount = item->number;
                    break;
                case WorkLine::ShowAllPeriods:
                    work.start.showAllPeriods = item->number;
                    break;
                case WorkLine::IgnoreWishes:
                    work.start.ignoreWishes = item->number;
                    break;
                case WorkLine::Groups:
                    work.groupCount = item->number;
                    for (int g = 1; g <= item->number; ++g)
                        work.groupTable[g] = item->groups[static_cast<std::size_t>(g - 1)];
                    break;
                case WorkLine::Pupil:
                    if (std::optional<Reading> stop = readPupil(*item)) return *stop;
                    break;
            }
        }
        return Reading::Finished;
    }

    int missing() const { return m_missing; }

private:
    void message(const std::string& text) {
        m_app.desktop.MsgBox(text, Desktop::Buttons::Ok, Desktop::Icon::Exclamation, kOpenTitle);
    }

    void refuse(const FileError& error) {
        message("Fel i " + displayPath(m_app.run.workFilePath) + ", rad " +
                plainNumber(error.line) + ": " + error.problem + " Filen har inte öppnats."_cp);
    }

    // Nothing to stop the reading, or how it stopped.
    std::optional<Reading> readPupil(const WorkFileItem& item) {
        Work& work = m_app.work;
        const PupilLine& pupil = item.pupil;
        if (pupil.kind == PupilLine::Kind::BadKey) return badLine();

        // A line without a TAB is skipped once the user has seen it, and leaves its pupil for
        // the next line with the key.
        if (!m_pupils) m_pupils.emplace(work);
        if (!m_pupils->left(pupil.key)) {
            ++m_missing;
            return std::nullopt;
        }
        if (pupil.kind == PupilLine::Kind::NoTab) return badLine();
        const int i = m_pupils->next(pupil.key);

        const int periods = work.start.periodCount;
        const Placements groups = parsePlacements(pupil.placements, periods);
        if (std::optional<FileError> error = checkPlacements(groups, periods, item.line)) {
            refuse(*error);
            return Reading::Refused;
        }

        work.studentTable[i].wishes = pupil.wishes;
        for (int p = 1; p <= periods; ++p) {
            work.placement[p][i] = static_cast<std::int16_t>(groups[p]);
            ++work.groupMemberCount[groups[p]];
        }
        return std::nullopt;
    }

    std::optional<Reading> badLine() {
        const Desktop::Answer answer = m_app.desktop.MsgBox(
            "Fel i " + displayPath(m_app.run.workFilePath), Desktop::Buttons::OkCancel,
            Desktop::Icon::Exclamation, kOpenTitle);
        if (answer == Desktop::Answer::Cancel) return Reading::Cancelled;
        return std::nullopt;
    }

    App& m_app;
    WorkFileReader m_file;
    int m_missing = 0;
    std::optional<PupilsByKey> m_pupils;  // from the roster read, at the first pupil line
};

// The path named on the command line, without one leading and one trailing double quote.
fs::path unquoted(const fs::path& path) {
    std::string text = utf8Path(path);
    if (!text.empty() && text.front() == '"') text.erase(0, 1);
    if (!text.empty() && text.back() == '"') text.pop_back();
    return pathFromUtf8(text);
}

// Placements in a group above the file's group count, or in a group of another period: no member
// list shows them, so they would count pupils no list holds. Removed, and told how many.
void dropStrayPlacements(App& app) {
    Work& work = app.work;
    int dropped = 0;
    for (int p = 1; p <= work.start.periodCount && p <= MaxPeriods; ++p) {
        for (int i = 1; i <= work.studentCount; ++i) {
            const int g = work.placement[p][i];
            if (g == 0 || (g <= work.groupCount && groupPeriod(work, g) == p)) continue;
            work.placement[p][i] = 0;
            ++dropped;
        }
    }
    RecountGroupMembers(work);
    if (dropped == 0) return;
    app.desktop.MsgBox(withSignSpace(dropped) +
                           " placering(ar) i grupper som saknas eller hör till en annan period "
                           "har tagits bort."_cp,
                       Desktop::Buttons::Ok, Desktop::Icon::Information, kOpenTitle);
}

// After a whole file was read: the missing pupils, then the window as the work is now.
void showOpenedWork(App& app, int missing) {
    Work& work = app.work;
    reportSharedKeys(app, kOpenTitle);
    if (missing > 0) {
        app.desktop.MsgBox(
            withSignSpace(missing) + " elev(er) saknas i elevlistan och har tagits bort.",
            Desktop::Buttons::Ok, Desktop::Icon::Information, kOpenTitle);
    }
    dropStrayPlacements(app);

    MainScreen& screen = app.screen;
    screen.Combo3.text = "Alla";
    RefreshOverview(app);
    if (work.classCount > 0) {
        screen.Combo1.text = work.classList[1];
        ChooseClass(app);
    }
    if (work.studentCount > 0) ShowCurrentStudent(app);
    RefreshBoard(app);
    ShowStatus(app);
    Form_Activate(app);
    app.history.clear();
}

}  // namespace

void rememberRecent(App& app, const fs::path& path) {
    std::vector<fs::path>& recent = app.recentFiles;
    recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end());
    recent.insert(recent.begin(), path);
    if (recent.size() > kRecentFiles) recent.resize(kRecentFiles);
}

void Arkiv_senaste(App& app, int index) {
    std::vector<fs::path>& recent = app.recentFiles;
    if (index < 0 || static_cast<std::size_t>(index) >= recent.size()) return;
    const fs::path path = recent[static_cast<std::size_t>(index)];
    if (!app.files.exists(path)) {
        recent.erase(recent.begin() + index);
        app.desktop.MsgBox(
            "Filen "_cp + displayPath(path) +
                " finns inte längre. Den tas bort ur listan över senaste arbeten."_cp,
            Desktop::Buttons::Ok, Desktop::Icon::Exclamation, kOpenTitle);
        return;
    }
    if (!askToSaveChanges(app, kOpenTitle)) return;
    openWorkFile(app, path);
}

void Arkiv_Spara(App& app) {
    RunState& run = app.run;
    if (run.workFilePath.empty()) {
        // Save as saves by itself once it has a name.
        Arkivsparasom(app);
        return;
    }
    const SaveResult saved = saveFile(app.files, run.workFilePath, workFileBytes(app.work));
    if (!saved) {
        app.desktop.MsgBox(cannotSave(run.workFilePath, saved), Desktop::Buttons::Ok,
                           Desktop::Icon::Exclamation, "Spara");
        ShowStatus(app);
        return;
    }
    app.history.markClean();
    removeRecoveryCopy(app);
    rememberRecent(app, run.workFilePath);
    ShowStatus(app);
}

void Arkivsparasom(App& app) {
    RunState& run = app.run;
    std::optional<fs::path> chosen =
        app.desktop.SaveFileDialog({kFilter, "pel", app.screen.fileDialogName});
    if (!chosen || chosen->empty()) return;
    app.screen.fileDialogName = *chosen;

    const fs::path previous = run.workFilePath;
    run.workFilePath = *chosen;
    if (app.files.exists(run.workFilePath)) {
        const Desktop::Answer answer =
            app.desktop.MsgBox(replaceQuestion(run.workFilePath), Desktop::Buttons::YesNo,
                               Desktop::Icon::Question, "Spara som");
        if (answer != Desktop::Answer::Yes) {
            // The work stays with the file it had, so nothing is ever written to the declined one.
            run.workFilePath = previous;
            return;
        }
    }
    Arkiv_Spara(app);
}

void Arkivoppna(App& app) {
    RunState& run = app.run;
    fs::path path;
    if (!run.commandLineFile.empty()) {
        // Named relative to the folder the program was started in, which may change later.
        path = unquoted(run.commandLineFile);
        if (!isWholePath(path)) path = normalPath(app.files.currentFolder() / path);
        run.commandLineFile.clear();
    } else {
        if (!askToSaveChanges(app, kOpenTitle)) return;
        std::optional<fs::path> chosen =
            app.desktop.OpenFileDialog({kFilter, "", app.screen.fileDialogName});
        if (!chosen || chosen->empty()) return;
        app.screen.fileDialogName = *chosen;
        path = *chosen;
    }

    openWorkFile(app, path);
}

void openWorkFile(App& app, const fs::path& path) {
    std::optional<std::string> bytes = app.files.read(path);
    if (!bytes) {
        // The work in memory keeps its own file name, so the file that failed is never saved over.
        app.desktop.MsgBox(displayPath(path) + " kan inte öppnas."_cp, Desktop::Buttons::Ok,
                           Desktop::Icon::Exclamation, kOpenTitle);
        return;
    }
    if (openWorkBytes(app, *bytes, path)) rememberRecent(app, path);
}

bool openWorkBytes(App& app, const std::string& bytes, const fs::path& path) {
    Work& work = app.work;
    RunState& run = app.run;
    // A file the program refuses, or any failure while it is read, brings the work back as it
    // was before the open, so that no half-read work carries the file's name to the next save.
    // (The copies are large tables, so they live on the heap.)
    WorkSnapshot before(app);
    const auto restore = [&before] { before.restore(); };

    try {
        run.workFilePath = path;
        ClearWork(app);
        // Settings a file does not name are off, whatever the previous work had.
        work.start.showAllPeriods = 0;
        work.start.ignoreWishes = 0;

        WorkReader reader(app, bytes);
        const Reading outcome = reader.read();
        if (outcome == Reading::Refused) {
            restore();
            return false;
        }
        keepShownPeriod(app);
        if (outcome == Reading::Cancelled) {
            dropStrayPlacements(app);
            // What was read stays, but it is only part of the file: the next save asks for a
            // name rather than writing the part over the whole. The board shows what was read.
            run.workFilePath.clear();
            app.history.clear();
            RefreshBoard(app);
            ShowStatus(app);
            Form_Activate(app);
            return false;
        }
        showOpenedWork(app, reader.missing());
        return true;
    } catch (const ProgramEnd&) {
        throw;
    } catch (...) {
        restore();
        throw;
    }
}

}  // namespace pelora
