#include <QIcon>
#include <QPrintDialog>

#include "commands/help.h"
#include "commands/opensave.h"
#include "commands/printing.h"
#include "display/overview.h"
#include "formats/rtf.h"
#include "temp_folder.h"
#include "ui/form2.h"
#include "ui/form4.h"
#include "ui/form6.h"
#include "ui/form7.h"
#include "ui/qtdesktop.h"
#include "ui/qtprinter.h"
#include "ui/richtextview.h"
#include "ui/swedish.h"
#include "ui/textconv.h"
#include "ui_test.h"

namespace pelora::test {

// A scripted desktop whose printer is the program's own, writing PDF files.
class PdfDesktop : public ScriptedDesktop {
public:
    PdfDesktop() : ScriptedDesktop(qtFailure()) {}
    Printer& printer() override { return pdf; }
    ui::QtPrinter pdf;
};

// The sample work opened over a desktop whose printer writes the next run to a PDF file of the
// given name, as after an earlier run or where there is no printer.
struct SampleToPdf {
    PdfDesktop desktop;
    App app{desktop};
    TempFolder folder;
    std::filesystem::path pdf;
    explicit SampleToPdf(const char* name) : pdf(folder.path(name)) {
        app.run.commandLineFile = PELORA_SHARE "/exempel/exempel.pel";
        Arkivoppna(app);
        desktop.pdf.setOutputFile(pdf);
        desktop.expectSaveFile(pdf);
    }
};

// The text of each sheet as pdftotext lays it out; nothing where pdfinfo counts other pages.
static QStringList sheets(const std::filesystem::path& pdf) {
    const QString file = QString::fromStdString(pdf.string());
    auto tool = [](const QString& name, const QStringList& arguments) {
        QProcess process;
        process.start(name, arguments);
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    QStringList pages = tool("pdftotext", {"-layout", file, "-"}).split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    const QString info = tool("pdfinfo", {file});
    if (QRegularExpression("Pages:\\s+(\\d+)").match(info).captured(1).toInt() != pages.size())
        pages.clear();
    return pages;
}

// Swedish whatever the system's language, also in Qt's file dialog. The main window's files,
// printing, export and help: each menu item reaches its operation, the print dialog and the help
// window stay open beside the main window, the popup shows its section; the Qt printer's runs,
// read back from PDF files with poppler's tools.
class OutputTest : public QObject {
    Q_OBJECT

private slots:
    // Runs first: without catalogues the program still goes on in the Swedish locale; with
    // them Qt's own texts are Swedish, and so are the texts Qt's catalogue lacks.
    // Then a work file as the open dialog shows it: size and date in Swedish, every column wide
    // enough for what it shows. Asking about replacing a file is left to the program.
    void theProgramSpeaksSwedishAlsoInTheFileDialog() {
        TempFolder folder;  // empty at first
        QCOMPARE(ui::speakSwedish(QString::fromStdString(folder.native().string())), 0);
        QCOMPARE(QLocale().toString(QDate(2026, 3, 1), "d MMMM"), QString("1 mars"));
        QVERIFY(ui::speakSwedish() >= 1);
        for (const auto& [context, english, swedish] :
             {std::tuple{"QFileSystemModel", "Date Modified", "Ändringsdatum"},
              {"QFileDialog", "Go back", "Bakåt"},
              {"QWidgetTextControl", "&Paste", "Klistra &in"}})
            QCOMPARE(QCoreApplication::translate(context, english), QString(swedish));
        QFile file(QString::fromStdString(folder.write("val.pel", "123456789012").string()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.setFileTime(QDateTime(QDate(2026, 3, 1), QTime(12, 0)),
                                 QFileDevice::FileModificationTime));
        // As on a first start: no column widths kept from an earlier dialog.
        QSettings(QSettings::UserScope, "QtProject").remove("FileDialog");
        const FileDialogRequest request{"*.pel|*.pel", "pel", folder.path("val.pel")};
        QVERIFY(ui::QtDesktop::buildFileDialog(true, request, nullptr)
                    ->testOption(QFileDialog::DontConfirmOverwrite));
        auto dialog = ui::QtDesktop::buildFileDialog(false, request, nullptr);
        dialog->show();
        auto* view = dialog->findChild<QTreeView*>("treeView");
        QAbstractItemModel* model = view->model();
        QTRY_COMPARE(model->rowCount(view->rootIndex()), 1);
        const QFontMetrics metrics(view->font());
        QStringList cells;
        int total = 0;
        for (int column = 0; column < 4; ++column) {
            cells << model->index(0, column, view->rootIndex()).data().toString();
            const int needed = std::max(
                metrics.horizontalAdvance(model->headerData(column, Qt::Horizontal).toString()),
                metrics.horizontalAdvance(cells.last()) +
                    (column == 0 ? view->iconSize().width() : 0));
            QVERIFY2(view->header()->sectionSize(column) > needed, qPrintable(cells.last()));
            total += view->header()->sectionSize(column);
        }
        QCOMPARE(cells, QStringList({"val.pel", "12 byte",
                                     QMimeDatabase().mimeTypeForFile(file.fileName()).comment(),
                                     "2026-03-01 12:00"}));
        QVERIFY(total <= view->viewport()->width());
    }

    // Each of the texts the program gives Qt in Swedish is one Qt asks for, under its exact
    // context, in the dialogs and menus the program shows.
    void theSwedishGivenToQtIsAskedForByQt() {
        struct Recorder : QTranslator {
            mutable QSet<QString> asked;
            bool isEmpty() const override { return false; }
            QString translate(const char* context, const char* source, const char*,
                              int) const override {
                if (context && source) asked << QString(context) + '|' + source;
                return {};
            }
        } recorder;
        QCoreApplication::installTranslator(&recorder);
        TempFolder folder;
        folder.write("val.pel", "");
        std::filesystem::create_directory(folder.native() / "mapp");
        {
            QFileDialog files(nullptr, {}, QString::fromStdString(folder.native().string()));
            files.setOption(QFileDialog::DontUseNativeDialog);
            files.setViewMode(QFileDialog::Detail);
            files.show();
            QTRY_VERIFY(recorder.asked.contains("QAbstractFileIconProvider|Folder"));
            auto* view = files.findChild<QTreeView*>("treeView");
            QTimer::singleShot(50, [] {
                if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
            });
            if (view) emit view->customContextMenuRequested(QPoint(5, 5));
        }
        {
            QPrinter printer;
            QPrintDialog print(&printer);
            print.show();
            for (auto* button : print.findChildren<QPushButton*>()) {
                QTimer::singleShot(100, [] {
                    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
                });
                if (button->text().contains("&Alternativ") || button->text() == "&Egenskaper")
                    button->click();
            }
        }
        QPlainTextEdit edit;
        delete edit.createStandardContextMenu();
        QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Ok | QMessageBox::Cancel);
        box.show();
        QCoreApplication::removeTranslator(&recorder);
        QStringList never;
        for (const QString& text : ui::qtTextsGivenInSwedish())
            if (!recorder.asked.contains(text)) never << text;
        // Asked on errors, in the dialogs' other views and for other kinds of file only.
        QCOMPARE(
            never,
            QStringList(
                {"QFileSystemModel|Invalid filename", "QAbstractFileIconProvider|File",
                 "QAbstractFileIconProvider|%1 File", "QAbstractFileIconProvider|Shortcut",
                 "QFileDialog|&Choose", "QFileDialog|Remove", "QFileDialog|Delete",
                 "QFileDialog|Are you sure you want to delete '%1'?", "QFileDialog|Recent Places",
                 "QWidgetTextControl|Copy &Link Location", "QPrintDialog|Print To File ...",
                 "QPrintDialog|%1 is a directory.\nPlease choose a different file name.",
                 "QPrintDialog|%1 already exists.\nDo you want to overwrite it?",
                 "QPrintDialog|File %1 is not writable.\nPlease choose a different file name.",
                 "QPrintDialog|Options 'Pages Per Sheet' and 'Page Set' cannot be used together.\n"
                 "Please turn one of those options off.",
                 "QPrintDialog|Duplex Settings Conflicts",
                 "QPrintDialog|There are conflicts in duplex settings. Do you want to fix them?"}));
    }

    // The manual's text as the help window sets it out: a paragraph a block, the empty one after
    // the last break kept, a line break within its paragraph, each run in its own format.
    void theManualKeepsItsParagraphsAndFormats() {
        QTextDocument document;
        ui::fillDocument(document, readRtf(R"({\rtf1 {\b Rubrik}\par text\line rad\par})"));
        QCOMPARE(document.blockCount(), 3);
        const QTextBlock heading = document.begin(), body = heading.next();
        QCOMPARE(heading.text(), QString("Rubrik"));
        QCOMPARE(body.text(), QString("text\u2028rad"));
        QVERIFY(heading.begin().fragment().charFormat().font().bold());
        QVERIFY(!body.begin().fragment().charFormat().font().bold());
    }

    void theSystemKnowsTheProgramByItsNames() {
        QLocale::setDefault(QLocale::c());
        ui::introduceTheProgram();
        QCOMPARE(QCoreApplication::organizationName(), QString("Pelora"));
        QCOMPARE(QCoreApplication::applicationName(), QString("Pelora"));
        QCOMPARE(QGuiApplication::desktopFileName(), QString("example.pelora.Pelora"));
        QCOMPARE(QLocale().language(), QLocale::Swedish);
        // The built-in icon, at each of its sizes.
        const QIcon icon = QApplication::windowIcon();
        QCOMPARE(icon.availableSizes(), (QList<QSize>{{32, 32}, {64, 64}, {128, 128}}));
        QCOMPARE(icon.pixmap(64).toImage().pixelColor(32, 32).alpha(), 255);
    }

    // The sample work, every list of every class, group and period: one sheet per list, its
    // text real text, Å, Ä, Ö and é as typed. Then a long run straight to the printer.
    void thePrinterWritesSheets() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext and pdfinfo (poppler-utils) are not installed");
        SampleToPdf sample("listor.pdf");
        App& app = sample.app;
        TempFolder& folder = sample.folder;
        const std::filesystem::path& pdf = sample.pdf;
        for (CheckBox* all : {&app.form4.Check1, &app.form4.Check2, &app.form4.Check4,
                              &app.form4.Check5, &app.form4.Check3})
            all->value = 1;
        PrintLists(app);
        const int periods = app.work.start.periodCount, groups = app.work.groupCount;
        const QStringList pages = sheets(pdf);
        QCOMPARE(pages.size(), app.work.classCount * (1 + periods) + groups + periods);
        const QString text = pages.join('\f');
        for (const char* expected :
             {"Björkhagaskolan", "06-12-2026", "Elevens val, önskemål 7A", "Hedda Bergström",
              "Ebba Håkansson", "Märta Andersson", "Linnéa Karlsson",
              "Läsåret 2025/26 +Period 2\\s", "Elevens val +9B\\s", "Elevens val +TRÄSLÖJD\\s"})
            QVERIFY2(text.contains(QRegularExpression(QString::fromUtf8(expected))), expected);
        QCOMPARE(text.count(QRegularExpression("Antal: +\\d+")), groups + periods);
        for (const QString& page : pages)
            QVERIFY2(page.contains(QRegularExpression("Björkhagaskolan +Sida 1 av 1 +06-12-2026")),
                     qPrintable(page));

        // Lines beyond a sheet's foot go on to the next sheet, none lost; a new page starts fresh.
        ui::QtPrinter printer;
        printer.setOutputFile(folder.path("rader.pdf"));
        for (int i = 1; i <= 140; ++i) {
            printer.print("Rad " + std::to_string(i) + " Ström"_cp);
            printer.endLine();
        }
        printer.newPage();
        printer.print("Sist");
        const PrintedDocument done = printer.endDoc();
        QVERIFY(done.problem.empty());
        QVERIFY(done.pdf);
        QVERIFY(saveFile(systemFileSystem(), folder.path("rader.pdf"), *done.pdf));
        const QStringList run = sheets(folder.path("rader.pdf"));
        QVERIFY(run.size() >= 4);
        QCOMPARE(run.last().trimmed(), QString("Sist"));
        int next = 1;
        for (const auto& line : QRegularExpression("Rad (\\d+) Ström").globalMatch(run.join("")))
            QCOMPARE(line.captured(1).toInt(), next++);
        QCOMPARE(next, 141);
        // The same printer makes the next document as whole.
        printer.print("Igen");
        const PrintedDocument again = printer.endDoc();
        QVERIFY(again.pdf && again.pdf->starts_with("%PDF"));
        QVERIFY(saveFile(systemFileSystem(), folder.path("igen.pdf"), *again.pdf));
        QCOMPARE(sheets(folder.path("igen.pdf")).join("").trimmed(), QString("Igen"));
    }

    // A class list longer than a sheet, by the printer's own measures: two sheets, each with its
    // foot as the last line, the second starting with the title; every pupil once, in order, so
    // the printer breaks no sheet of its own.
    void aLongListGoesOverTheSheetsTheEngineBreaks() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext and pdfinfo (poppler-utils) are not installed");
        SampleToPdf sample("klasslista.pdf");
        App& app = sample.app;
        QStringList names;
        for (int i = 1; i <= app.work.studentCount; ++i) {
            if (app.work.studentTable[i].className == "7A")
                names << ui::toQt(app.work.studentTable[i].name);
        }
        for (int k = 1; k <= 45; ++k) {
            const int i = ++app.work.studentCount;
            app.work.studentTable[i] = Student{"Elev " + std::to_string(k), "", "7A"};
            names << QString("Elev %1").arg(k);
        }
        app.form4.Text2.text = "7A";
        app.form4.Text4.text = "1";
        PrintLists(app);
        const QStringList pages = sheets(sample.pdf);
        QCOMPARE(pages.size(), 2);
        QStringList printed;
        for (int s = 0; s < 2; ++s) {
            QStringList lines = pages[s].split('\n', Qt::SkipEmptyParts);
            while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
                lines.removeLast();
            QVERIFY(lines.size() > 3);
            QVERIFY2(lines.last().contains(QRegularExpression(
                         QString("^ *Björkhagaskolan +Sida %1 av 2 +06-12-2026$").arg(s + 1))),
                     qPrintable(lines.last()));
            lines.removeLast();
            if (s == 1)
                QVERIFY2(lines.first().contains(QRegularExpression("^ *Elevens val +7A *$")),
                         qPrintable(lines.first()));
            for (const QString& line : lines) {
                const QString name = line.trimmed().section(QRegularExpression(" {2,}"), 0, 0);
                if (name.startsWith("Elevens val") || name.startsWith("Björkhagaskolan") ||
                    name.startsWith("Läsåret") || name.isEmpty())
                    continue;
                printed << name;
            }
        }
        QCOMPARE(printed, names);
    }

    // "Skrivare": Qt's printer dialog in Swedish, offering a PDF file; cancelling keeps the
    // printer, choosing a PDF file makes later runs print to that file.
    void thePrinterDialogChoosesThePrinterOfLaterRuns() {
        TempFolder folder;
        ui::QtPrinter printer;
        printer.setOutputFile(folder.path("förra.pdf"));
        const QString before = printer.device().outputFileName();
        const QString chosen = QString::fromStdString(folder.path("vald.pdf").string());
        for (const bool choose : {false, true}) {
            QStringList seen;
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                auto* box = dialog->findChild<QComboBox*>("printers");
                auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
                seen = {dialog->windowTitle(), ok->text(), box->itemText(box->count() - 1)};
                if (!choose) return dialog->reject();
                box->setCurrentIndex(box->count() - 1);
                dialog->findChild<QLineEdit*>("filename")->setText(chosen);
                ok->click();
            });
            printer.setup(nullptr);
            QCOMPARE(seen.value(0), QString("Skrivare"));
            QCOMPARE(seen.value(1), QString("OK"));
            QCOMPARE(seen.value(2), QString("Skriv ut till fil (PDF)"));
            QCOMPARE(printer.device().outputFileName(), choose ? chosen : before);
            QVERIFY(printer.printsToFile());
        }
    }

    // Each work listed in Arkiv opens its own file: here two that are gone, each told of.
    void eachRecentWorkOpensItsOwnFile() {
        Window w;
        w.app.recentFiles = {"/saknas/a.pel", "/saknas/b.pel"};
        w.form->render();
        for (const auto& [item, name] :
             {std::pair{"Arkiv_senaste_2", "b.pel"}, {"Arkiv_senaste_1", "a.pel"}}) {
            w.desktop.expectMsgBox("Filen /saknas/"_cp + name +
                                       " finns inte längre. Den tas bort ur listan över senaste "
                                       "arbeten."_cp,
                                   Buttons::Ok, Desktop::Icon::Exclamation, "Öppna"_cp, Answer::Ok);
            w.find<QAction>(item)->trigger();
            w.desktop.verify();
        }
        QVERIFY(w.app.recentFiles.empty());
    }

    // In turn, each answered with a refusal; an item not wired leaves its question unasked.
    void theMenuItemsAndThePrintDialog() {
        Window w;
        w.app.run.currentGroup = 1;
        w.desktop.expectOpenFile(std::nullopt)
            .expectSaveFile(std::nullopt)
            .expectPrinterSetup()
            .expectMsgBox(
                "Pelora ver. 1.23\r\nHämta nya versioner från https://pelora.example/"
                "\r\nEpost: support@pelora.example"_cp,
                Buttons::Ok, Desktop::Icon::None, "Om programmet", Answer::Ok)
            .expectMsgBox("Vill du skriva ut grupplista för DANS"_cp, Buttons::YesNo,
                          Desktop::Icon::Question, "Skriv ut", Answer::No)
            .expectMsgBox("Vill du ta bort gruppen DANS?", Buttons::YesNo, Desktop::Icon::Question,
                          "Ta bort grupp", Answer::No)
            .expectSaveFile(std::nullopt, FileDialogRequest{"*.grp|*.grp", "grp", ""});
        for (const char* item : {"Arkivoppna", "Arkivsparasom", "Arkiv_skrivare", "help_about",
                                 "H_klick_skrivut", "H_klick_tabort", "Arkiv_export"})
            w.find<QAction>(item)->trigger();

        // The print dialog opens without blocking; what the user typed lives on while the main
        // window works and the dialog is hidden; "OK" prints and closes it.
        w.app.work.start.activity = "Val";
        w.app.screen.Combo3.text = "Ej placerade";  // as chosen in the overview
        RefreshOverview(w.app);
        auto open = [&w] {
            w.shows(Dialog::PrintDialog);
            w.find<QAction>("Arkivskrivut")->trigger();
            return w.find<ui::Form4>("Form4");
        };
        ui::Form4* dialog = open();
        QVERIFY(dialog->isVisible());
        auto* Text1 = dialog->findChild<QLineEdit*>("Text1");
        QCOMPARE(dialog->focusWidget(), Text1);
        typeKeys(Text1, "dans");
        dialog->findChild<QCheckBox*>("Check3")->click();
        w.form->run("", [] {});  // the main window renders what it shows, the dialog too
        dialog->findChild<QLineEdit*>("Text2")->setFocus();
        dialog->findChild<QPushButton*>("Command2")->click();  // "Avbryt"
        QVERIFY(!dialog->isVisible());
        QCOMPARE(open(), dialog);
        QCOMPARE(Text1->text(), QString("dans"));
        QVERIFY(dialog->findChild<QCheckBox*>("Check3")->isChecked());
        QCOMPARE(dialog->focusWidget(), Text1);

        dialog->findChild<QPushButton*>("Command1")->click();  // "OK"
        const std::vector<std::string>& printed = w.desktop.recordingPrinter.operations;
        for (const char* operation : {"print Val   DANS", "print Val, ej placerade", "endDoc"})
            QVERIFY2(std::count(printed.begin(), printed.end(), operation) == 1, operation);
        QVERIFY(!dialog->isVisible());
    }

    // The help window opens at chapter 1 as the manual sets it, and a click on a chapter shows
    // it alone; the group editor's "Hjälp" opens the popup at its section. Without the manual a
    // message each time, no window.
    void help() {
        Window w;
        TempFolder folder;
        for (const bool manual : {true, false}) {
            w.app.manualPlaces = {manual ? std::filesystem::path(PELORA_MANUAL)
                                         : folder.path("pel.rtf")};
            loadManual(w.app);
            auto expectHelp = [&](Dialog window) {
                if (manual) return void(w.shows(window));
                w.desktop.expectMsgBox(
                    "Hittar inte manualen pel.rtf som skall ligga i programmets mapp.\r\nHämta "
                    "vid behov åter https://pelora.example/pel.zip."_cp,
                    Buttons::Ok, Desktop::Icon::Exclamation, "Hjälptext saknas"_cp, Answer::Ok);
            };
            expectHelp(Dialog::HelpWindow);
            w.find<QAction>("Helptext")->trigger();
            auto* help = w.find<ui::Form6>("Form6");
            QCOMPARE(help != nullptr && help->isVisible(), manual);
            if (manual) {
                auto* text = help->findChild<ui::RichTextView*>("RTF2");
                auto* list = help->findChild<QListWidget*>("List1");
                QCOMPARE(list->currentRow(), 1);
                QVERIFY(text->toPlainText().startsWith("1. Översikt\n"));
                // The heading as the manual sets it: bold, 16 points, dark blue.
                const QTextCharFormat heading = QTextCursor(text->document()).charFormat();
                QVERIFY(heading.font().bold());
                QCOMPARE(heading.fontPointSize(), 16.0);
                QCOMPARE(heading.foreground().color(), QColor(31, 56, 100));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(6)).center());
                QVERIFY(text->toPlainText().startsWith("6. Utskrifter\n"));
                QVERIFY(!text->toPlainText().contains("7. Spara"));
                QTest::keyClick(list, Qt::Key_Return);  // Enter in the list closes nothing
                QVERIFY(help->isVisible());
                help->findChild<QPushButton*>("Command3")->click();  // "Stäng"
                QVERIFY(!help->isVisible());
            }
            QString shown, title;
            QSize size;
            w.shows(Dialog::GroupEditor, [&] {
                auto* editor = w.find<ui::Form2>("Form2");
                editor->findChild<QPushButton*>("Command3")->click();  // "Hjälp"
                editor->findChild<QPushButton*>("Command2")->click();  // "Stäng"
            });
            QTimer::singleShot(0, w.form.get(), [&] {  // inside the popup's own loop
                auto* popup = w.find<ui::Form7>("Form7");
                if (!popup || !popup->isVisible()) return;
                shown = popup->findChild<ui::RichTextView*>("RTF")->toPlainText();
                title = popup->windowTitle();
                size = popup->size();
                popup->close();
            });
            expectHelp(Dialog::HelpPopup);
            w.find<QAction>("ny_grupp")->trigger();
            QCOMPARE(shown.startsWith("2.2 Dialogrutan"), manual);
            if (manual) {
                QCOMPARE(title, QString("Hjälp"));
                // Large enough to read a section in, small enough for a 1024 x 700 screen.
                QVERIFY(size.width() >= 600 && size.height() >= 400);
                QVERIFY(size.width() <= 1024 && size.height() <= 670);
            }
            QVERIFY(!shown.contains("2.3 Arrangera"));
        }
    }
};

PELORA_UI_TEST(OutputTest);

}  // namespace pelora::test

#include "output_test.moc"
