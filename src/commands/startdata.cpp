#include "commands/startdata.h"

#include "base/codec.h"
#include "base/files.h"
#include "base/numbers.h"
#include "base/text.h"
#include "commands/edit.h"
#include "commands/help.h"
#include "commands/readroster.h"
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
    std::optional<StartData> typed;
    if (dialog.caption != kEditCaption) typed.swap(app.startDataForNextNew);
    const StartData& start = typed ? *typed : app.work.start;
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

    auto refuse = [&](const std::string& text) {
        app.desktop.MsgBox(text, Desktop::Buttons::Ok, Desktop::Icon::Exclamation, dialog.caption);
    };
    // The work file holds the roster path in Windows-1252; a path it cannot hold would name
    // another file when the work is opened again.
    if (dialog.Text3.unrepresentable) {
        refuse(
            "Sökvägen till elevlistan har tecken som inte kan sparas i arbetsfilen. Välj en "
            "elevlista i en mapp vars namn bara har bokstäver som a-z, å, ä, ö och é, eller "
            "byt namn på filen."_cp);
        return;
    }

    // The fields are stored before the checks and stay stored when a check fails. A pasted line
    // break or TAB becomes a blank, so each field stays one line of the work file.
    start.school = trimBlanks(singleLine(dialog.Text1.text));
    start.activity = CommasToSpaces(singleLine(dialog.Text5.text));
    start.periodLabel = CommasToSpaces(singleLine(dialog.Text2.text));
    start.studentListPath = CommasToSpaces(singleLine(dialog.Text3.text));
    start.classFilter = CommasToSpaces(singleLine(dialog.Text4.text));
    start.showAllPeriods = dialog.Check2.value == 1 ? 1 : 0;
    start.ignoreWishes = dialog.Check3.value == 1 ? 1 : 0;
    const double n = NumericValue(dialog.Text6.text);
    if (n < 1) {
        refuse("Ange period!");
        return;
    }
    for (int g = 1; g <= work.groupCount; ++g) {
        if (groupPeriod(work, g) > n) {
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
    // Also with nothing changed.
    workChanged(app);
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
    std::optional<std::filesystem::path> chosen =
        app.desktop.OpenFileDialog({kRosterFilter, "", ""});
    if (!chosen) return;  // the path typed before stays
    TextBox& box = app.form3.Text3;
    const std::optional<std::string> text = cp1252Path(*chosen);
    box.text = text.value_or(displayPath(*chosen));
    box.unrepresentable = !text;
}

}  // namespace form3

void red_startdata(App& app) {
    Work& work = app.work;
    const std::string rosterBefore = work.start.studentListPath;
    // One step, also for the fields a failed check kept before "Avbryt".
    Edit edit(app, kEditCaption, {.startData = true});
    showStartDataDialog(app, kEditCaption);
    if (app.run.startDataCancelled) {
        app.run.startDataCancelled = false;
        return;
    }
    if (work.start.studentListPath != rosterBefore) {
        work.start.studentListPath = absoluteRosterPath(app, work.start.studentListPath);
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
