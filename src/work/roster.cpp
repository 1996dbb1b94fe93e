#include "work/roster.h"

#include "pupils/text.h"
#include "pupils/wishes.h"
#include "work/codec.h"
#include "work/files.h"
#include "work/numbers.h"

namespace pelora {

namespace {

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// The roster's bytes. A relative path is looked for beside the work file first, so that a work
// and its roster can move together; then in the current folder.
std::optional<std::string> readRoster(const Work& work) {
    const std::string& path = work.start.studentListPath;
    if (!work.workFilePath.empty() && isRelativePath(path)) {
        if (auto bytes = readFileBytes(pathBeside(work.workFilePath, path))) return bytes;
    }
    return readFileBytes(path);
}

std::string rosterMessage(const std::string& path, const std::string& problem) {
    return "Elevlistan "_cp + path + " " + problem +
           " Inga elever har lästs in. Ange färre klasser under Klasser i startdata."_cp;
}

}  // namespace

std::string studentKey(const std::string& identityNumber) {
    std::string id = trimBlanks(identityNumber);
    if ((startsWith(id, "20") || startsWith(id, "19")) && id.size() > 8) id.erase(0, 2);
    const std::size_t hyphen = id.find('-');
    if (hyphen != std::string::npos) id.erase(hyphen, 1);
    if (id.size() < 8) id.insert(0, "0");
    std::string key;
    for (std::size_t j = 2; j <= 8; j += 2) {
        const std::string pair = j - 1 < id.size() ? id.substr(j - 1, 2) : std::string();
        // Two characters give at most 99 and at least -9 ("-9"), so the byte is 23..131.
        key.push_back(static_cast<char>(32 + numericInteger(pair)));
    }
    return key;
}

RosterLine parseRosterLine(const std::string& line) {
    RosterLine result;
    const std::size_t tab = line.find('\t');
    // The TAB's 1-based position must be above 5: a name of at least five characters.
    if (tab == std::string::npos || tab + 1 <= 5 || line.size() <= 10) return result;

    const std::string rest = trimBlanks(line.substr(tab + 1));
    const std::size_t tab2 = rest.find('\t');
    if (tab2 == std::string::npos) {
        result.kind = RosterLine::Kind::BadFormat;
        return result;
    }
    result.kind = RosterLine::Kind::Pupil;
    result.name = trimBlanks(line.substr(0, tab));
    result.key = studentKey(rest.substr(0, tab2));
    result.className = NormalizeUpper(rest.substr(tab2 + 1));
    return result;
}

bool classInFilter(const std::string& className, const std::string& classFilter) {
    if (classFilter.empty()) return true;
    return (" " + classFilter + " ").find(" " + className + " ") != std::string::npos;
}

RosterResult loadRoster(Work& work, const std::string& bytes) {
    for (auto& period : work.placement)
        period.fill(0);
    work.classCount = 0;
    work.studentCount = 0;

    auto refuse = [&work](RosterResult why) {
        work.classCount = 0;
        work.studentCount = 0;
        return why;
    };

    int n = 0;
    for (const std::string& text : splitLines(bytes)) {
        RosterLine line = parseRosterLine(text);
        if (line.kind == RosterLine::Kind::Skipped) continue;
        if (line.kind == RosterLine::Kind::BadFormat) return refuse(RosterResult::BadFormat);
        if (!classInFilter(line.className, work.start.classFilter)) continue;

        if (n == MaxStudents) return refuse(RosterResult::TooManyPupils);
        int c = 1;
        while (c <= work.classCount && work.classList[c] != line.className)
            ++c;
        if (c > work.classCount) {
            if (work.classCount == MaxClasses) return refuse(RosterResult::TooManyClasses);
            work.classList[++work.classCount] = line.className;
        }
        ++n;
        Student& pupil = work.studentTable[n];
        pupil.name = std::move(line.name);
        pupil.key = std::move(line.key);
        pupil.className = std::move(line.className);
    }
    work.studentCount = n;
    for (int i = 1; i <= n; ++i)
        work.studentTable[i].wishes.clear();
    return RosterResult::Read;
}

bool Hamta_elever(App& app) {
    Work& work = app.work;
    std::optional<std::string> bytes = readRoster(work);
    while (!bytes) {
        const std::string& path = work.start.studentListPath;
        std::string answer = app.desktop.InputBox(
            "Kan ej öppna "_cp + path + ". Ange ny sökväg."_cp, "Öppna elevlista"_cp, path);
        if (answer.empty()) {
            app.desktop.MsgBox("Redigera vid behov " + work.workFilePath + ". Programmet avslutas.",
                               Desktop::Buttons::Ok, Desktop::Icon::Critical, "Öppna elevlista"_cp);
            throw ProgramEnd{};
        }
        work.start.studentListPath = answer;
        bytes = readRoster(work);
    }

    const RosterResult result = loadRoster(work, *bytes);
    switch (result) {
        case RosterResult::Read:
            break;
        case RosterResult::BadFormat:
            app.desktop.MsgBox("Elevlistan har inte rätt format. Programmet avslutas."_cp,
                               Desktop::Buttons::Ok, Desktop::Icon::Critical, "Fel i elevfil");
            throw ProgramEnd{};
        case RosterResult::TooManyPupils:
            app.desktop.MsgBox(
                rosterMessage(work.start.studentListPath,
                              "har fler än 600 elever i de klasser som ska läsas in. "
                              "Programmet hanterar högst 600 elever."_cp),
                Desktop::Buttons::Ok, Desktop::Icon::Exclamation, "Öppna elevlista"_cp);
            break;
        case RosterResult::TooManyClasses:
            app.desktop.MsgBox(
                rosterMessage(work.start.studentListPath,
                              "har fler än 50 klasser. Programmet hanterar högst 50 klasser."_cp),
                Desktop::Buttons::Ok, Desktop::Icon::Exclamation, "Öppna elevlista"_cp);
            break;
    }

    MainScreen& screen = app.screen;
    screen.Combo1.clear();
    for (int c = 1; c <= work.classCount; ++c)
        screen.Combo1.addItem(work.classList[c]);
    if (work.studentCount > 0) {
        screen.Combo1.text = work.classList[1];
        ChooseClass(app);
    }
    return result == RosterResult::Read;
}

}  // namespace pelora
