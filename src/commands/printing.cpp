#include "commands/printing.h"

#include "base/codec.h"
#include "commands/help.h"
#include "commands/printearlier.h"
#include "commands/printengine.h"
#include "commands/printselection.h"

namespace pelora {

namespace fs = std::filesystem;

namespace {

// Where the computer has no printer, or a PDF file was chosen as the printer, the file is named
// for every run, so that one run never silently overwrites the last. False when the user cancels.
bool chooseOutputFile(App& app) {
    Printer& printer = app.desktop.printer();
    if (!printer.printsToFile()) return true;
    const std::optional<fs::path> chosen =
        app.desktop.SaveFileDialog({"*.pdf|*.pdf", "pdf", app.form4.pdfFile});
    if (!chosen || chosen->empty()) return false;
    app.form4.pdfFile = *chosen;
    if (app.files.exists(*chosen) &&
        app.desktop.MsgBox(replaceQuestion(*chosen), Desktop::Buttons::YesNo,
                           Desktop::Icon::Question, kPrintTitle) != Desktop::Answer::Yes) {
        return false;
    }
    printer.setOutputFile(*chosen);
    return true;
}

void showFolder(App& app) {
    PrintScreen& dialog = app.form4;
    dialog.Dir1.caption = displayPath(dialog.folder);
    dialog.fileNames = workFilesIn(app, dialog.folder);
    dialog.File1.clear();
    for (const std::string& name : dialog.fileNames)
        dialog.File1.addItem(displayPath(pathFromUtf8(name)));
}

// One run: nothing without pupils; the PDF file asked for where the printer writes files; the
// folder of earlier work files listed anew; and the dialog hidden once the run has started.
void printRun(App& app, const std::function<std::optional<PrintSelection>()>& selection) {
    if (app.work.studentCount == 0) {
        app.desktop.MsgBox("Det finns inget att skriva ut!", Desktop::Buttons::Ok,
                           Desktop::Icon::Exclamation, kPrintTitle);
        return;
    }
    const std::optional<PrintSelection> chosen = selection();
    if (!chosen || !chooseOutputFile(app)) return;
    if (chosen->printsEarlier()) showFolder(app);
    printDocument(app, *chosen);
    app.form4.visible = false;
}

}  // namespace

void PrintLists(App& app) {
    printRun(app, [&] { return dialogSelection(app); });
}

void Arkiv_skrivare(App& app) {
    app.desktop.PrinterSetup();
}

void Arkivskrivut(App& app) {
    app.form4.visible = true;
    form4::Form_Activate(app);
    app.desktop.ShowDialog(Dialog::PrintDialog);
}

void H_klick_skrivut(App& app) {
    const int g = app.run.currentGroup;
    if (g < 1 || g > app.work.groupCount) return;
    const std::string& name = app.work.groupTable[g].name;
    if (app.desktop.MsgBox("Vill du skriva ut grupplista för "_cp + name, Desktop::Buttons::YesNo,
                           Desktop::Icon::Question, kPrintTitle) != Desktop::Answer::Yes) {
        return;
    }
    printRun(app, [&] {
        // Of the dialog only "Ej placerade" changes.
        app.form4.Check3.value = 0;
        return std::optional(groupSelection(app.work, g));
    });
}

namespace form4 {

void Form_Activate(App& app) {
    if (app.form4.folder.empty()) app.form4.folder = app.files.currentFolder();
    showFolder(app);
    app.screen.focusRequest = Focus::PrintGroups;
}

void Command1_Click(App& app) {
    PrintLists(app);
}

void Command2_Click(App& app) {
    app.form4.visible = false;
}

void Command3_Click(App& app) {
    ShowHelpSection(app, "6. Utskrifter", "7. Spara", 1);
}

void Command4_Click(App& app) {
    PrintScreen& dialog = app.form4;
    for (TextBox* field :
         {&dialog.Text1, &dialog.Text2, &dialog.Text3, &dialog.Text4, &dialog.Text5})
        field->text.clear();
    for (CheckBox* box : {&dialog.Check1, &dialog.Check2, &dialog.Check3, &dialog.Check4,
                          &dialog.Check5, &dialog.Check6}) {
        box->value = 0;
    }
}

void Command5_Click(App& app) {
    const std::optional<fs::path> chosen = app.desktop.FolderDialog(app.form4.folder);
    if (!chosen) return;
    app.form4.folder = *chosen;
    showFolder(app);
}

}  // namespace form4

}  // namespace pelora
