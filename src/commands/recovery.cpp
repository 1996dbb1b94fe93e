#include "commands/recovery.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>

#include "base/codec.h"
#include "base/files.h"
#include "base/numbers.h"
#include "base/text.h"
#include "commands/opensave.h"
#include "display/status.h"
#include "formats/workfile.h"

namespace pelora {

namespace fs = std::filesystem;

namespace {

using namespace std::chrono_literals;

const std::string kTitle = "Återställ arbete"_cp;
// A copy: "PELORA-KOPIA 1 <length> <check>", the path of its work file (empty for a work never
// saved; backslash, CR and LF escaped), when it was made, an empty line, and the work's bytes,
// whose length and check the first line gives.
constexpr std::string_view kMagic = "PELORA-KOPIA 1 ";
constexpr std::string_view kPrefix = "kopia-";

// FNV-1a over the bytes, as 16 hexadecimal digits.
std::string checkOf(const std::string& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::string unescaped(const std::string& text) {
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] != '\\' || k + 1 == text.size()) {
            out += text[k];
            continue;
        }
        const char next = text[++k];
        out += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    }
    return out;
}

struct Copy {
    fs::path origin;
    std::string made;  // "2026-12-06 kl. 10.15"
    std::string work;
};

// The copy's parts, or nothing when the file is cut or is no copy.
std::optional<Copy> readCopy(const std::string& bytes) {
    std::vector<std::string> head;
    std::size_t at = 0;
    while (head.size() < 4) {
        const std::size_t end = bytes.find(CRLF, at);
        if (end == std::string::npos) return std::nullopt;
        head.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    if (!head[0].starts_with(kMagic) || !head[3].empty()) return std::nullopt;
    const std::string sizes = head[0].substr(kMagic.size());
    const std::size_t blank = sizes.find(' ');
    if (blank == std::string::npos) return std::nullopt;
    const std::string length = sizes.substr(0, blank);
    if (length.empty() ||
        !std::all_of(length.begin(), length.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        length.size() > 12 || std::stoull(length) != bytes.size() - at)
        return std::nullopt;
    Copy copy{pathFromUtf8(unescaped(head[1])), head[2], bytes.substr(at)};
    if (sizes.substr(blank + 1) != checkOf(copy.work)) return std::nullopt;
    return copy;
}

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string timeText(const Date& now) {
    return std::to_string(now.year) + "-" + twoDigits(now.month) + "-" + twoDigits(now.day) +
           " kl. " + twoDigits(now.hour) + "." + twoDigits(now.minute);
}

std::string newId() {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
    std::string id;
    for (int k = 0; k < 12; ++k)
        id += letters[pick(random)];
    return id;
}

fs::path copyPath(const App& app, const std::string& id) {
    return app.recoveryFolder / (std::string(kPrefix) + id + ".pel");
}

fs::path lockPath(const App& app, const std::string& id) {
    return app.recoveryFolder / (std::string(kPrefix) + id + ".lock");
}

// What a copy of the work now would hold: the path of its work file and the work.
std::string contentNow(const App& app) {
    return escaped(utf8Path(app.run.workFilePath)) + CRLF + workFileBytes(app.work);
}

void tellFailure(App& app, const std::string& reason) {
    if (app.recovery.failureTold) return;
    app.recovery.failureTold = true;
    app.desktop.MsgBox("Pelora kan inte göra någon automatisk kopia av arbetet i "_cp +
                           displayPath(app.recoveryFolder) + "." + CRLF + reason + CRLF +
                           "Spara arbetet ofta tills felet är åtgärdat."_cp,
                       Desktop::Buttons::Ok, Desktop::Icon::Exclamation, "Pelora");
}

// Removes another program's copy and its lock file, while this program holds that lock.
void removeCopyOf(App& app, const std::string& id) {
    app.files.remove(copyPath(app, id));
    app.files.remove(lockPath(app, id));
}

std::string copyBytes(const std::string& work, const fs::path& origin, const std::string& made) {
    return std::string(kMagic) + std::to_string(work.size()) + " " + checkOf(work) + CRLF +
           escaped(utf8Path(origin)) + CRLF + made + CRLF + CRLF + work;
}

// Earlier versions of Pelora kept one copy for every program, "osparat-arbete.pel", and the path
// of its work beside it. Such a copy becomes a copy of today's kind, so that it is offered too.
void takeOverSingleCopy(App& app) {
    const fs::path single = app.recoveryFolder / "osparat-arbete.pel";
    const fs::path origin = app.recoveryFolder / "osparat-arbete-fil.txt";
    const std::optional<std::string> work = app.files.read(single);
    if (!work) return;
    const std::unique_ptr<FileLock> held = app.files.lock(lockPath(app, "osparat"));
    if (!held) return;
    // The path as UTF-8, as those versions wrote it.
    const fs::path path = pathFromUtf8(app.files.read(origin).value_or(std::string()));
    if (saveFile(app.files, copyPath(app, "osparat"), copyBytes(*work, path, ""),
                 Sharing::Private)) {
        app.files.remove(single);
        app.files.remove(origin);
    }
}

}  // namespace

void autosave(App& app) {
    RecoveryCopy& own = app.recovery;
    if (app.recoveryFolder.empty() || !app.history.dirty()) return;
    const std::string content = contentNow(app);
    if (content == own.copied) return;
    if (!own.lock) {
        own.id = newId();
        own.lock = app.files.lock(lockPath(app, own.id));
        if (!own.lock) {
            tellFailure(app, "Kopian kan inte låsas."_cp);
            return;
        }
    }
    const std::string bytes =
        copyBytes(workFileBytes(app.work), app.run.workFilePath, timeText(app.desktop.today()));
    const SaveResult saved = saveFile(app.files, copyPath(app, own.id), bytes, Sharing::Private);
    if (!saved) {
        tellFailure(app, saved.reason);
        return;
    }
    own.copied = content;
}

std::optional<std::chrono::milliseconds> copyWhenDue(App& app,
                                                     std::chrono::steady_clock::time_point now) {
    RecoveryCopy& own = app.recovery;
    if (app.recoveryFolder.empty()) return std::nullopt;
    if (!app.history.dirty()) {
        // Undone back to where it was saved: nothing is left for a copy to keep.
        if (!own.copied.empty()) removeRecoveryCopy(app);
        own.firstChange.reset();
        return std::nullopt;
    }
    const std::string content = contentNow(app);
    if (content == own.copied) {
        own.firstChange.reset();
        own.seen = content;
        return std::nullopt;
    }
    if (content != own.seen || !own.firstChange) {
        own.seen = content;
        own.lastChange = now;
        if (!own.firstChange) own.firstChange = now;
    }
    const auto due = std::min(*own.lastChange + 5s, *own.firstChange + 30s);
    if (now < due) return std::chrono::ceil<std::chrono::milliseconds>(due - now);
    own.firstChange.reset();
    autosave(app);
    return std::nullopt;
}

void removeRecoveryCopy(App& app) {
    RecoveryCopy& own = app.recovery;
    if (app.recoveryFolder.empty() || own.id.empty()) return;
    app.files.remove(copyPath(app, own.id));
    own.copied.clear();
    own.firstChange.reset();
}

void endRecovery(App& app) {
    RecoveryCopy& own = app.recovery;
    if (app.recoveryFolder.empty() || own.id.empty()) return;
    removeRecoveryCopy(app);
    app.files.remove(lockPath(app, own.id));
    own.lock.reset();
    own.id.clear();
}

bool offerRecovery(App& app) {
    if (app.recoveryFolder.empty()) return false;
    struct Found {
        std::string id;
        std::unique_ptr<FileLock> lock;
        Copy copy;
        fs::file_time_type when;
    };
    takeOverSingleCopy(app);
    std::vector<Found> found;
    std::vector<std::string> names = app.files.filesIn(app.recoveryFolder);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const bool copy = name.ends_with(".pel"), lock = name.ends_with(".lock");
        if (!name.starts_with(kPrefix) || !(copy || lock)) continue;
        const std::string id =
            name.substr(kPrefix.size(), name.size() - kPrefix.size() - (copy ? 4 : 5));
        if (id.empty() || id == app.recovery.id) continue;
        // A copy whose lock is held belongs to a program that still runs.
        std::unique_ptr<FileLock> held = app.files.lock(lockPath(app, id));
        if (!held) continue;
        const fs::path path = copyPath(app, id);
        if (lock) {
            // A lock left without its copy.
            if (!app.files.exists(path)) app.files.remove(lockPath(app, id));
            continue;
        }
        const std::optional<std::string> bytes = app.files.read(path);
        if (!bytes) continue;
        std::optional<Copy> read = readCopy(*bytes);
        if (!read) {
            fs::path aside = path;
            aside += ".trasig";
            app.files.rename(path, aside);
            app.files.remove(lockPath(app, id));
            app.desktop.MsgBox("Den automatiska kopian "_cp + displayPath(path) +
                                   " är skadad eller ingen kopia från Pelora och kan inte "
                                   "återställas. Den har fått namnet "_cp +
                                   displayPath(aside) + ".",
                               Desktop::Buttons::Ok, Desktop::Icon::Exclamation, kTitle);
            continue;
        }
        // A work file that holds what the copy holds was saved after it.
        if (!read->origin.empty() && app.files.read(read->origin) == read->work) {
            removeCopyOf(app, id);
            continue;
        }
        found.push_back({id, std::move(held), std::move(*read),
                         app.files.modified(path).value_or(fs::file_time_type::min())});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Found& a, const Found& b) { return a.when > b.when; });

    for (Found& offered : found) {
        const Copy& copy = offered.copy;
        const std::string what =
            copy.origin.empty() ? "ett nytt arbete som aldrig sparats" : displayPath(copy.origin);
        const Desktop::Answer answer = app.desktop.MsgBox(
            "Pelora avslutades utan att ändringarna i "_cp + what +
                " sparades. Det finns en automatisk kopia av dem" +
                (copy.made.empty() ? "" : " från "_cp + copy.made) +
                ". Vill du återställa den?\r\n\r\nSvarar du Nej tas kopian bort."_cp,
            Desktop::Buttons::YesNo, Desktop::Icon::Question, kTitle, Desktop::Answer::Yes);
        if (answer != Desktop::Answer::Yes) {
            removeCopyOf(app, offered.id);
            continue;
        }
        // Read as the work file it belongs to, so a roster named without a folder is found
        // beside it.
        if (!openWorkBytes(app, copy.work, copy.origin)) continue;
        app.run.workFilePath = copy.origin;
        // Unsaved, with no saved position in its new history.
        app.history.markModified();
        ShowStatus(app);
        // The old copy goes once this program's own holds the changes.
        autosave(app);
        if (app.recovery.copied == contentNow(app)) removeCopyOf(app, offered.id);
        return true;
    }
    return false;
}

}  // namespace pelora
