#include "commands/startdata.h"

#include "base/codec.h"
#include "base/files.h"
#include "base/numbers.h"
#include "base/text.h"
#include "commands/help.h"
#include "display/board.h"
#include "display/overview.h"
#include "display/status.h"

namespace pelora {

namespace {

const char* const kEditCaption = "Redigera startdata";

}  // namespace

void showStartDataDialog(App& app, const std::string& caption) {
    app.form3.caption = caption;
    app.form3.visible = true;
    form3::Form_Activate(app);
    app.desktop.ShowDialog(Dialog::StartData);
}

namespace form3 {

void Form_Activate(App& app) {
    StartDataScreen& dialog = app.form3;
    const StartData& start = app.work.start;
    dialog.Text1.text = start.school;
    dialog.Text5.text = start.activity;
    dialog.Text2.text = start.periodLabel;
    dialog.Text3.text = start.studentListPath;
    dialog.Text4.text = start.classFilter;
    dialog.Text6.text = plainNumber(start.periodCount);
    // Keeping groups only means something for a new work built beside existing groups.
    dialog.Check1.enabled = dialog.caption != kEditCaption && app.work.groupCount != 0;
    // The box shows the work's setting, so that "OK" never switches it on unseen.
    dialog.Check3.value = start.ignoreWishes == 1 ? 1 : 0;
    Text6_Change(app);
    app.screen.focusRequest = Focus::StartDataSchool;
}

void Text6_Change(App& app) {
    StartDataScreen& dialog = app.form3;
    if (NumericValue(dialog.Text6.text) < 2) {
        dialog.Check2.value = 0;
        dialog.Check2.enabled = false;
    } else {
        dialog.Check2.enabled = true;
        if (app.work.start.showAllPeriods == 1) dialog.Check2.value = 1;
    }
}

void Command1_Click(App& app) {
    StartDataScreen& dialog = app.form3;
    Work& work = app.work;
    StartData& start = work.start;

    // The fields are stored before the checks and stay stored when a check fails.
    start.school = trimBlanks(dialog.Text1.text);
    start.activity = CommasToSpaces(dialog.Text5.text);
    start.periodLabel = CommasToSpaces(dialog.Text2.text);
    start.studentListPath = CommasToSpaces(dialog.Text3.text);
    start.classFilter = CommasToSpaces(dialog.Text4.text);
    start.showAllPeriods = dialog.Check2.value == 1 ? 1 : 0;
    start.ignoreWishes = dialog.Check3.value == 1 ? 1 : 0;

    auto refuse = [&](const std::string& text) {
        app.desktop.MsgBox(text, Desktop::Buttons::Ok, Desktop::Icon::Exclamation, dialog.caption);
    };
    const double n = NumericValue(dialog.Text6.text);
    if (n < 1) {
        refuse("Ange period!");
        return;
    }
    for (int g = 1; g <= work.groupCount; ++g) {
        if (NumericValue(work.groupTable[g].periodText) > n) {
            refuse(
                "Det finns grupp(er) som lagts i period som nu tas bort. Ta först bort gruppen "
                "eller ändra dess period."_cp);
            return;
        }
    }
    if (n > MaxPeriods) {
        refuse("Programmet hanterar högst 10 perioder."_cp);
        return;
    }
    start.periodCount = toInteger(n);

    // The board must not go on showing a period the work no longer has.
    MainScreen& screen = app.screen;
    if (NumericValue(screen.periodDisplay.caption) > start.periodCount ||
        app.run.currentPeriod > start.periodCount) {
        app.run.currentPeriod = 1;
        screen.periodDisplay.caption = plainNumber(app.run.currentPeriod);
    }
    app.run.dirty = true;
    if (dialog.caption == kEditCaption) {
        app.desktop.MsgBox("Spara och starta om programmet för att ta ändringarna i bruk."_cp,
                           Desktop::Buttons::Ok, Desktop::Icon::Information, kEditCaption);
    }
    dialog.visible = false;
}

void Command2_Click(App& app) {
    app.run.startDataCancelled = true;
    app.form3.visible = false;
}

void Command3_Click(App& app) {
    ShowHelpSection(app, "2.1 Dialogrutan", "2.2 Dialogrutan", 1);
}

void Command4_Click(App& app) {
    std::optional<std::filesystem::path> chosen = app.desktop.OpenFileDialog({"", "", ""});
    app.form3.Text3.text = chosen ? displayPath(*chosen) : std::string();
}

}  // namespace form3

void red_startdata(App& app) {
    Work& work = app.work;
    const std::string rosterBefore = work.start.studentListPath;
    showStartDataDialog(app, kEditCaption);
    if (app.run.startDataCancelled) {
        app.run.startDataCancelled = false;
        return;
    }
    if (work.start.studentListPath != rosterBefore) {
        app.desktop.MsgBox("Spara gruppfördelningen och öppna den igen för inläsning av "_cp +
                               work.start.studentListPath + ".",
                           Desktop::Buttons::Ok, Desktop::Icon::Information,
                           "Redigera startvärden"_cp);
    }
    RefreshBoard(app);
    ShowStatus(app);
    RefreshOverview(app);
}

}  // namespace pelora
