#include "commands/groups.h"

#include "base/codec.h"
#include "base/numbers.h"
#include "base/text.h"
#include "commands/edit.h"
#include "commands/help.h"
#include "display/board.h"
#include "display/overview.h"
#include "display/status.h"

namespace pelora {

namespace {

const char* const kCreateCaption = "Ny grupp";
const char* const kEditCaption = "Redigera gruppdata";

bool creating(const App& app) {
    return app.form2.caption == kCreateCaption;
}

void showEditor(App& app, const char* caption) {
    app.form2.caption = caption;
    app.form2.visible = true;
    form2::Form_Activate(app);
    app.desktop.ShowDialog(Dialog::GroupEditor);
    RefreshBoard(app);
    ShowStatus(app);
    RefreshOverview(app);
}

bool validGroup(const App& app, int g) {
    return g >= 1 && g <= app.work.groupCount;
}

// Whether some pupil is placed in group g in period p.
bool hasMembers(const Work& work, int g, int p) {
    if (p < 1 || p > MaxPeriods) return false;
    for (int i = 1; i <= work.studentCount; ++i) {
        if (work.placement[p][i] == g) return true;
    }
    return false;
}

}  // namespace

void ny_grupp(App& app) {
    showEditor(app, kCreateCaption);
}

void h_klick_red(App& app) {
    if (!validGroup(app, app.run.currentGroup)) return;
    showEditor(app, kEditCaption);
}

namespace form2 {

void Form_Activate(App& app) {
    GroupEditorScreen& editor = app.form2;
    if (creating(app)) {
        editor.Text1.text.clear();
        editor.Text2.text.clear();
        editor.Text3.text.clear();
        editor.Text4.text.clear();
        editor.Text5.text = "1";
    } else if (validGroup(app, app.run.currentGroup)) {
        const Group& group = app.work.groupTable[app.run.currentGroup];
        editor.Text1.text = group.name;
        editor.Text2.text = group.staff;
        editor.Text3.text = group.maxText;
        editor.Text4.text = group.comment;
        editor.Text5.text = group.periodText;
    }
    const bool severalPeriods = app.work.start.periodCount != 1;
    editor.Text5.enabled = severalPeriods;
    editor.periodCaption.enabled = severalPeriods;
    app.screen.focusRequest = Focus::GroupName;
}

void Command1_Click(App& app) {
    Work& work = app.work;
    GroupEditorScreen& editor = app.form2;
    const bool create = creating(app);
    auto refuse = [&](const std::string& text, const std::string& title) {
        app.desktop.MsgBox(text, Desktop::Buttons::Ok, Desktop::Icon::Exclamation, title);
    };
    if (!create && !validGroup(app, app.run.currentGroup)) return;

    if (create && work.groupCount == MaxGroups) {
        refuse("Programmet är bara dimensionerat för 100 grupper"_cp, "Skapa grupp");
        return;
    }
    // A pasted line break or TAB becomes a blank: a group is one line of the work file.
    const std::string name = NormalizeUpper(singleLine(editor.Text1.text));
    if (name.empty()) {
        refuse("Ange gruppens namn", editor.caption);
        return;
    }
    if (name.find('(') != std::string::npos) {
        refuse("Använd inte parentes i gruppnamn"_cp, editor.caption);
        return;
    }
    const double v = NumericValue(editor.Text5.text);
    if (v < 1 || v > work.start.periodCount) {
        refuse("Ange giltigt periodnummer.", "Skapa grup");
        return;
    }
    const std::string storedName = CommasToSpaces(name);
    if (create) {
        for (int g = 1; g <= work.groupCount; ++g) {
            if (work.groupTable[g].name == storedName) {
                refuse("En grupp med detta namn finns redan", editor.caption);
                return;
            }
        }
    }
    if (NumericValue(editor.Text3.text) <= 0) editor.Text3.text.clear();

    const int period = toInteger(v);
    if (!create) {
        const int g = app.run.currentGroup;
        const int before = groupPeriod(work, g);
        if (period != before && before >= 1 && hasMembers(work, g, before)) {
            refuse("Du måste tömma gruppen innan du ändrar dess period"_cp, "Redigera grupp");
            return;
        }
    }

    // OK with nothing changed still counts as a change of the work.
    Edit edit(app, (create ? "Skapa gruppen " : "Redigera gruppen ") + storedName,
              {.groups = true});
    edit.changed();
    int g = app.run.currentGroup;
    if (create) {
        g = ++work.groupCount;
        work.groupTable[g].boardLeft = 0;
        work.groupTable[g].boardTop = 0;
        work.groupMemberCount[g] = 0;
    }
    Group& group = work.groupTable[g];
    group.name = storedName;
    group.staff = CommasToSpaces(singleLine(editor.Text2.text));
    group.maxText = CommasToSpaces(singleLine(editor.Text3.text));
    group.comment = CommasToSpaces(singleLine(editor.Text4.text));
    group.periodText = plainNumber(period);

    editor.Text1.text.clear();
    editor.Text2.text.clear();
    editor.Text3.text.clear();
    editor.Text4.text.clear();
    if (create) {
        app.screen.focusRequest = Focus::GroupName;
    } else {
        editor.visible = false;
    }
}

void Command2_Click(App& app) {
    app.form2.visible = false;
}

void Command3_Click(App& app) {
    ShowHelpSection(app, "2.2 Dialogrutan", "2.3 Arrangera", 1);
}

}  // namespace form2

void H_klick_tabort(App& app) {
    Work& work = app.work;
    const int g = app.run.currentGroup;
    if (!validGroup(app, g)) return;
    const Desktop::Answer answer =
        app.desktop.MsgBox("Vill du ta bort gruppen " + work.groupTable[g].name + "?",
                           Desktop::Buttons::YesNo, Desktop::Icon::Question, "Ta bort grupp");
    if (answer != Desktop::Answer::Yes) return;

    Edit edit(app, "Ta bort gruppen " + work.groupTable[g].name,
              {.placements = true, .groups = true});
    for (int p = 1; p <= work.start.periodCount && p <= MaxPeriods; ++p) {
        for (int i = 1; i <= work.studentCount; ++i) {
            std::int16_t& placed = work.placement[p][i];
            if (placed == g) {
                placed = 0;
            } else if (placed > g) {
                --placed;
            }
        }
    }
    // Each later group moves down one number with its fields, its place on the board, its count,
    // and its label's place in the stack.
    for (int h = g; h < work.groupCount; ++h) {
        work.groupTable[h] = work.groupTable[h + 1];
        work.groupMemberCount[h] = work.groupMemberCount[h + 1];
        app.screen.Label1[h].stackOrder = app.screen.Label1[h + 1].stackOrder;
    }
    --work.groupCount;
    // The number now names another group, or none: nothing is current until a label is pressed.
    app.run.currentGroup = 0;

    app.screen.List1.clear();
    RefreshBoard(app);
    ShowStatus(app);
    RefreshOverview(app);
}

}  // namespace pelora
