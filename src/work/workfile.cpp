#include "work/workfile.h"

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "groups/board.h"
#include "groups/status.h"
#include "pupils/overview.h"
#include "pupils/text.h"
#include "pupils/wishes.h"
#include "work/codec.h"
#include "work/files.h"
#include "work/lifecycle.h"
#include "work/numbers.h"
#include "work/roster.h"

namespace pelora {

namespace {

const char* const kFilter = "*.pel|*.pel";

struct LinePrefix {
    WorkLine kind;
    std::string text;
};

const std::vector<LinePrefix>& linePrefixes() {
    // Converted first: clang 14 cannot take the literal inside the braces.
    static const std::string ignoreWishes = "EJ ÖNSKEMÅL:"_cp;
    static const std::vector<LinePrefix> table = {
        {WorkLine::Activity, "AKTIVITET:"},
        {WorkLine::School, "SKOLA:"},
        {WorkLine::PeriodLabel, "PERIOD:"},
        {WorkLine::Classes, "KLASSER:"},
        {WorkLine::StudentList, "ELEVLISTA:"},
        {WorkLine::PeriodCount, "ANTAL PERIODER:"},
        {WorkLine::ShowAllPeriods, "VISA ALLA PERIODER:"},
        {WorkLine::IgnoreWishes, ignoreWishes},
        {WorkLine::Groups, "GRUPPER:"},
    };
    return table;
}

// A board position as read; a number too large to hold puts the label in the corner instead.
double boardPosition(const std::string& text) {
    const double value = NumericValue(text);
    return std::isfinite(value) ? value : 0.0;
}

// How reading a file ended.
enum class Reading { Finished, Cancelled, Refused };

class WorkReader {
public:
    WorkReader(App& app, std::vector<std::string> lines) : m_app(app), m_lines(std::move(lines)) {}

    Reading read() {
        Work& work = m_app.work;
        while (m_next < m_lines.size()) {
            const std::string& line = m_lines[m_next++];
            const ClassifiedLine classified = classifyLine(line);
            const std::string value = trimBlanks(classified.value);
            switch (classified.kind) {
                case WorkLine::Activity:
                    work.start.activity = value;
                    break;
                case WorkLine::School:
                    work.start.school = value;
                    break;
                case WorkLine::PeriodLabel:
                    work.start.periodLabel = value;
                    break;
                case WorkLine::Classes:
                    work.start.classFilter = value;
                    break;
                case WorkLine::StudentList:
                    work.start.studentListPath = value;
                    if (!Hamta_elever(m_app)) {
                        // The roster's own message has said why.
                        refuse(work.workFilePath + " kan inte öppnas."_cp);
                        return Reading::Refused;
                    }
                    // Reading the roster cleared every placement, so nothing counted so far holds.
                    for (int g = 1; g <= MaxGroups; ++g)
                        work.groupMemberCount[g] = 0;
                    m_seen.clear();
                    break;
                case WorkLine::PeriodCount: {
                    const int n = numericInteger(classified.value);
                    if (n < 1 || n > MaxPeriods) {
                        refuse(fault("filen anger " + value +
                                     " perioder, men programmet hanterar 1 till 10 perioder."));
                        return Reading::Refused;
                    }
                    work.start.periodCount = n;
                    break;
                }
                case WorkLine::ShowAllPeriods:
                    work.start.showAllPeriods = numericInteger(classified.value);
                    break;
                case WorkLine::IgnoreWishes:
                    work.start.ignoreWishes = numericInteger(classified.value);
                    break;
                case WorkLine::Groups:
                    if (!readGroups(numericInteger(classified.value), value)) {
                        return Reading::Refused;
                    }
                    break;
                case WorkLine::Pupil: {
                    std::optional<Reading> stop = readPupil(line);
                    if (stop) return *stop;
                    break;
                }
            }
        }
        return Reading::Finished;
    }

    int missing() const { return m_missing; }

private:
    std::string fault(const std::string& problem) const {
        return "Fel i " + m_app.work.workFilePath + ": " + problem + " Filen har inte öppnats."_cp;
    }

    void refuse(const std::string& message) {
        m_app.desktop.MsgBox(message, Desktop::Buttons::Ok, Desktop::Icon::Exclamation, "Öppna"_cp);
    }

    // `written` is the count as the file has it, for the message.
    bool readGroups(int count, const std::string& written) {
        Work& work = m_app.work;
        if (count < 1) count = 0;
        if (count > MaxGroups) {
            refuse(fault("filen anger " + written +
                         " grupper, men programmet hanterar högst 100 grupper."_cp));
            return false;
        }
        const std::size_t available = m_lines.size() - m_next;
        if (available < static_cast<std::size_t>(count)) {
            refuse(fault("filen tar slut efter " + plainNumber(static_cast<long long>(available)) +
                         " av sina " + plainNumber(count) + " grupprader."));
            return false;
        }
        work.groupCount = count;
        for (int g = 1; g <= count; ++g)
            work.groupTable[g] = parseGroupLine(m_lines[m_next++]);
        return true;
    }

    // Nothing to stop the reading, or how it stopped.
    std::optional<Reading> readPupil(const std::string& line) {
        Work& work = m_app.work;
        const PupilLine pupil = parsePupilLine(line);
        if (pupil.kind == PupilLine::Kind::BadKey) return badLine();

        int i = 1;
        while (i <= work.studentCount && work.studentTable[i].key != pupil.key)
            ++i;
        if (i > work.studentCount) {
            ++m_missing;
            return std::nullopt;
        }
        if (pupil.kind == PupilLine::Kind::NoTab) return badLine();

        const int periods = work.start.periodCount;
        const auto groups = parsePlacements(pupil.placements, periods);
        for (int p = 1; p <= periods; ++p) {
            if (groups[p] < 0 || groups[p] > MaxGroups) {
                refuse(fault("en elev har gruppnummer " + plainNumber(groups[p]) + " i period " +
                             plainNumber(p) + ", men gruppnumren går från 0 till 100."_cp));
                return Reading::Refused;
            }
        }

        // A second line with the same key replaces what the first one gave the pupil, so the
        // first line's placements no longer count.
        if (m_seen.empty()) m_seen.assign(MaxStudents + 1, false);
        if (m_seen[i]) {
            for (int p = 1; p <= periods; ++p)
                --work.groupMemberCount[work.placement[p][i]];
        }
        m_seen[i] = true;

        work.studentTable[i].wishes = pupil.wishes;
        for (int p = 1; p <= periods; ++p) {
            work.placement[p][i] = static_cast<std::int16_t>(groups[p]);
            ++work.groupMemberCount[groups[p]];
        }
        return std::nullopt;
    }

    std::optional<Reading> badLine() {
        const Desktop::Answer answer =
            m_app.desktop.MsgBox("Fel i " + m_app.work.workFilePath, Desktop::Buttons::OkCancel,
                                 Desktop::Icon::Exclamation, "Öppna"_cp);
        if (answer == Desktop::Answer::Cancel) return Reading::Cancelled;
        return std::nullopt;
    }

    App& m_app;
    std::vector<std::string> m_lines;
    std::size_t m_next = 0;
    int m_missing = 0;
    std::vector<bool> m_seen;
};

// The path named on the command line, without one leading and one trailing double quote.
std::string unquoted(std::string path) {
    if (!path.empty() && path.front() == '"') path.erase(0, 1);
    if (!path.empty() && path.back() == '"') path.pop_back();
    return path;
}

}  // namespace

std::string joinWishes(const std::string& wishes) {
    std::string text = CleanLines(wishes);
    for (std::size_t at = text.find(CRLF); at != std::string::npos; at = text.find(CRLF)) {
        text = trimBlanks(text.substr(0, at)) + "//" + trimBlanks(text.substr(at + 2));
    }
    return text;
}

std::string groupLine(const Group& group) {
    return group.name + "," + group.staff + "," + group.maxText + "," + group.comment + ", " +
           fileNumber(group.boardLeft) + ", " + fileNumber(group.boardTop) + "," + group.periodText;
}

std::string pupilLine(const Work& work, int i) {
    const Student& pupil = work.studentTable[i];
    std::string line = pupil.key + ", " + joinWishes(pupil.wishes) + "\t";
    for (int p = 1; p <= work.start.periodCount; ++p) {
        if (p > 1) line += ",";
        line += fileNumber(static_cast<int>(work.placement[p][i]));
    }
    return line;
}

std::string workFileBytes(const Work& work) {
    const StartData& start = work.start;
    std::string out;
    auto line = [&out](const std::string& text) { out += text + CRLF; };
    line("AKTIVITET: " + start.activity);
    line("SKOLA: " + start.school);
    line("PERIOD: " + start.periodLabel);
    line("KLASSER: " + start.classFilter);
    line("ELEVLISTA: " + start.studentListPath);
    if (start.periodCount > 1) {
        line("ANTAL PERIODER: " + fileNumber(start.periodCount));
        line("VISA ALLA PERIODER: " + fileNumber(start.showAllPeriods));
    }
    if (start.ignoreWishes == 1) line("EJ ÖNSKEMÅL: 1"_cp);
    line("GRUPPER: " + fileNumber(work.groupCount));
    for (int g = 1; g <= work.groupCount; ++g)
        line(groupLine(work.groupTable[g]));
    for (int i = 1; i <= work.studentCount; ++i)
        line(pupilLine(work, i));
    return out;
}

ClassifiedLine classifyLine(const std::string& line) {
    for (const LinePrefix& prefix : linePrefixes()) {
        if (line.compare(0, prefix.text.size(), prefix.text) == 0) {
            return {prefix.kind, line.substr(prefix.text.size())};
        }
    }
    return {WorkLine::Pupil, line};
}

Group parseGroupLine(const std::string& line) {
    Group group;
    group.periodText = "1";
    std::string rest = trimBlanks(line);
    std::string* texts[] = {&group.name, &group.staff, &group.maxText, &group.comment};
    int f = 1;
    for (; f <= 7; ++f) {
        const std::size_t comma = rest.find(',');
        const std::string field = rest.substr(0, comma);
        if (f <= 4) {
            *texts[f - 1] = field;
        } else if (f == 5) {
            group.boardLeft = boardPosition(field);
        } else if (f == 6) {
            group.boardTop = boardPosition(field);
        } else {
            group.periodText = trimBlanks(rest);
        }
        if (comma == std::string::npos) break;
        rest = trimBlanks(rest.substr(comma + 1));
    }
    // The fields a short line lacks stay empty; one that stops within the first four fields
    // has no period either, while one that stops at a position keeps period "1".
    if (f <= 4) group.periodText.clear();
    return group;
}

PupilLine parsePupilLine(const std::string& line) {
    PupilLine pupil;
    // The key is four bytes and may hold a comma itself, so the separator is the fifth byte.
    if (line.size() < 5 || line[4] != ',') return pupil;
    pupil.key = line.substr(0, 4);
    const std::string rest = line.substr(5);
    const std::size_t tab = rest.find('\t');
    if (tab == std::string::npos) {
        pupil.kind = PupilLine::Kind::NoTab;
        return pupil;
    }
    pupil.kind = PupilLine::Kind::Good;
    pupil.wishes = replaceAll(trimBlanks(rest.substr(0, tab)), "//", CRLF);
    pupil.placements = rest.substr(tab + 1);
    const std::size_t second = pupil.placements.find('\t');
    if (second != std::string::npos) pupil.placements = pupil.placements.substr(second + 1);
    return pupil;
}

std::array<int, MaxPeriods + 1> parsePlacements(const std::string& placements, int periodCount) {
    std::array<int, MaxPeriods + 1> groups{};
    std::string rest = placements;
    for (int p = 1; p <= periodCount && p <= MaxPeriods; ++p) {
        const std::size_t comma = rest.find(',');
        groups[p] = numericInteger(rest.substr(0, comma));
        rest = comma == std::string::npos ? std::string() : rest.substr(comma + 1);
    }
    return groups;
}

void Arkiv_Spara(App& app) {
    Work& work = app.work;
    if (work.workFilePath.empty()) {
        // Save as saves by itself once it has a name.
        Arkivsparasom(app);
        return;
    }
    if (!writeFileAtomically(work.workFilePath, workFileBytes(work))) {
        app.desktop.MsgBox("Kan inte spara " + work.workFilePath, Desktop::Buttons::Ok,
                           Desktop::Icon::Exclamation, "Spara");
        ShowStatus(app);
        return;
    }
    work.dirty = false;
    ShowStatus(app);
}

void Arkivsparasom(App& app) {
    Work& work = app.work;
    std::optional<std::string> chosen =
        app.desktop.SaveFileDialog({kFilter, "pel", app.screen.fileDialogName});
    if (!chosen || chosen->empty()) return;
    app.screen.fileDialogName = *chosen;

    const std::string previous = work.workFilePath;
    work.workFilePath = *chosen;
    if (fileExists(work.workFilePath)) {
        const Desktop::Answer answer = app.desktop.MsgBox(
            work.workFilePath +
                ". Fil med detta namn finns redan. Vill du ersätta befintlig fil?"_cp,
            Desktop::Buttons::YesNo, Desktop::Icon::Question, "Spara som");
        if (answer != Desktop::Answer::Yes) {
            // The work stays with the file it had, so nothing is ever written to the declined one.
            work.workFilePath = previous;
            return;
        }
    }
    Arkiv_Spara(app);
}

void Arkivoppna(App& app) {
    Work& work = app.work;
    std::string path;
    if (!work.commandLineFile.empty()) {
        path = unquoted(work.commandLineFile);
        work.commandLineFile.clear();
    } else {
        if (!askToSaveChanges(app, "Öppna"_cp)) return;
        std::optional<std::string> chosen =
            app.desktop.OpenFileDialog({kFilter, "", app.screen.fileDialogName});
        if (!chosen || chosen->empty()) return;
        app.screen.fileDialogName = *chosen;
        path = *chosen;
    }

    std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) {
        // The work in memory keeps its own file name, so the file that failed is never saved over.
        app.desktop.MsgBox(path + " kan inte öppnas."_cp, Desktop::Buttons::Ok,
                           Desktop::Icon::Exclamation, "Öppna"_cp);
        return;
    }

    // A file the program refuses brings the work back as it was before the open. (The copies
    // are large tables, so they live on the heap.)
    const auto workBefore = std::make_unique<const Work>(work);
    const auto screenBefore = std::make_unique<const MainScreen>(app.screen);

    work.workFilePath = path;
    ClearWork(app);
    work.start.ignoreWishes = 0;

    WorkReader reader(app, splitLines(*bytes));
    switch (reader.read()) {
        case Reading::Refused: {
            const std::string dialogName = app.screen.fileDialogName;
            work = *workBefore;
            app.screen = *screenBefore;
            app.screen.fileDialogName = dialogName;
            return;
        }
        case Reading::Cancelled:
            // What was read stays, but it is only part of the file: the next save asks for a
            // name rather than writing the part over the whole.
            work.workFilePath.clear();
            work.dirty = false;
            ShowStatus(app);
            return;
        case Reading::Finished:
            break;
    }

    if (reader.missing() > 0) {
        app.desktop.MsgBox(
            withSignSpace(reader.missing()) + " elev(er) saknas i elevlistan och har tagits bort.",
            Desktop::Buttons::Ok, Desktop::Icon::Information, "Öppna"_cp);
    }

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
    work.dirty = false;
}

}  // namespace pelora
