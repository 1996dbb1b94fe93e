#include "commands/printearlier.h"

#include <algorithm>
#include <array>

#include "base/codec.h"
#include "base/files.h"
#include "base/keys.h"
#include "base/numbers.h"
#include "formats/earlier.h"

namespace pelora {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kEarlierColumns = 5;
// An earlier work file larger than this is no work file (the largest holds 600 pupils).
constexpr std::uintmax_t kLargestEarlierFile = 16 * 1024 * 1024;

using Column = std::array<std::string, MaxStudents + 1>;  // a group name per pupil

// One earlier file's column: each pupil's group in it. A file that cannot be read, or that has
// a problem, is told; what it holds besides is still shown.
void readColumn(App& app, const fs::path& name, Column& column) {
    guardedStep(app, [&] {
        const fs::path path = app.form4.folder / name;
        const std::optional<std::uintmax_t> size = app.files.fileSize(path);
        std::optional<std::string> bytes;
        if (size && *size <= kLargestEarlierFile) bytes = app.files.read(path);
        if (!bytes) {
            const bool tooLarge = size && *size > kLargestEarlierFile;
            printError(app, displayPath(path) + (tooLarge ? " är för stor för en arbetsfil."_cp
                                                          : " kan inte läsas."_cp));
            return;
        }
        const EarlierFile file = readEarlierFile(*bytes);
        if (file.error) {
            printError(app, displayPath(path) + ", rad " + plainNumber(file.error->line) + ": " +
                                file.error->problem);
        }
        // Pupils who share a key are told apart by order, as an open does: the k-th line with a
        // key is the k-th pupil with it.
        PupilsByKey pupils(app.work);
        for (const EarlierFile::Placement& line : file.pupils) {
            const int i = pupils.next(line.key);
            if (i > 0) column[static_cast<std::size_t>(i)] = file.groupName(line.group);
        }
    });
}

void earlierPage(PageWriter& page, const std::string& className,
                 const std::vector<std::string>& heads, const std::vector<Column>& columns) {
    const Work& work = page.work();
    ListLayout& lines = page.lines();
    page.header(PageWriter::Kind::Earlier, 0,
                work.start.activity + ", tidigare placeringar " + className);
    lines.endLine();
    lines.setFontSize(10);
    auto cellAt = [](std::size_t k) {
        return column::kEarlierFirst + static_cast<double>(k) * column::kEarlierStep;
    };
    for (std::size_t k = 0; k < heads.size(); ++k)
        page.at(cellAt(k), column::kEarlierWidth, heads[k]);
    lines.endLine();
    lines.endLine();
    // The files' names head the columns of every sheet.
    page.body();
    for (int i = 1; i <= work.studentCount; ++i) {
        if (work.studentTable[i].className != className) continue;
        page.at(column::kLeft, column::kEarlierNameWidth, work.studentTable[i].name);
        for (std::size_t k = 0; k < kEarlierColumns; ++k) {
            page.at(cellAt(k), column::kEarlierWidth,
                    k < columns.size() ? columns[k][static_cast<std::size_t>(i)] : std::string());
        }
        lines.endLine();
    }
    page.endList();
}

}  // namespace

void printEarlierPlacements(PageWriter& page, const PrintSelection& selection) {
    App& app = page.app();
    const Work& work = app.work;
    if (work.start.periodCount > 1) {
        app.desktop.MsgBox(
            "Utskrift av tidigare placeringar görs bara vid gruppfördelning för en period."_cp,
            Desktop::Buttons::Ok, Desktop::Icon::Exclamation, kPrintTitle);
        return;
    }
    // The last five files in the order the dialog lists them.
    const std::vector<std::string>& files = app.form4.fileNames;
    const std::size_t first = files.size() > kEarlierColumns ? files.size() - kEarlierColumns : 0;
    std::vector<std::string> heads;
    std::vector<Column> columns;
    for (std::size_t k = first; k < files.size(); ++k) {
        const fs::path file = pathFromUtf8(files[k]);
        const std::string name = displayPath(file);
        heads.push_back(name.substr(0, name.find('.')));
        columns.emplace_back();
        readColumn(app, file, columns.back());
    }
    for (int c = 1; c <= work.classCount; ++c) {
        if (!selection.selects(selection.earlierClasses, work.classList[c])) continue;
        guardedStep(app, [&] { earlierPage(page, work.classList[c], heads, columns); });
    }
}

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

}  // namespace pelora
