// A work at the table limits for the benchmarks: 600 pupils in 20 classes, 100 groups, five
// wish lines per pupil, a third of the pupils placed.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "commands/app.h"
#include "commands/lifecycle.h"

namespace pelora::bench {

// A desktop that answers every question with OK or Yes.
class QuietDesktop : public Desktop {
public:
    Answer MsgBox(const std::string&, Buttons buttons, Icon, const std::string&,
                  std::optional<Answer> = std::nullopt) override {
        ++questions;
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes
                                                                            : Answer::Ok;
    }
    int questions = 0;
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest&) override {
        return {};
    }
    std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest&) override {
        return {};
    }
    std::optional<std::filesystem::path> FolderDialog(const std::filesystem::path&) override {
        return {};
    }
    void ShowDialog(Dialog) override {}
    void PrinterSetup() override {}
    Printer& printer() override { throw std::logic_error("no printer in the benchmarks"); }
    Date today() override { return {}; }
};

inline std::string groupName(int g) {
    return "AKTIVITET " + std::to_string(g) + "-A";
}

// With namedWishes false no wish line names a group, though every line starts like one: the
// slowest case for "Ej gjort val", which must try every group on every pupil.
inline void fillWork(App& app, bool namedWishes) {
    Work& work = app.work;
    for (int g = 1; g <= MaxGroups; ++g) {
        work.groupTable[g] = {groupName(g), "", "30", "", "1"};
        work.groupTable[g].boardLeft = (g - 1) % 4 * 1300;
        work.groupTable[g].boardTop = (g - 1) / 4 % 8 * 550;
    }
    work.groupCount = MaxGroups;
    for (int c = 1; c <= 20; ++c)
        work.classList[c] = "9" + std::string(1, static_cast<char>('A' + c - 1));
    work.classCount = 20;
    for (int i = 1; i <= MaxStudents; ++i) {
        Student& pupil = work.studentTable[i];
        pupil.name = (i % 7 == 0 ? "ANNA " : "ELEV ") + std::to_string(i) + " EFTERNAMN";
        pupil.key = "K" + std::to_string(i % 1000);
        pupil.className = work.classList[(i - 1) / 30 + 1];
        pupil.wishes.clear();
        for (int k = 0; k < 5; ++k) {
            if (k > 0) pupil.wishes += "\r\n";
            const int g = (i * 7 + k * 13) % MaxGroups + 1;
            pupil.wishes += "AKTIVITET " + std::to_string(g) + (namedWishes ? "" : "X");
        }
        if (i % 3 == 0) work.placement[1][i] = static_cast<std::int16_t>(i % MaxGroups + 1);
    }
    work.studentCount = MaxStudents;
    app.run.currentGroup = 1;
    Form_Activate(app);
}

}  // namespace pelora::bench
