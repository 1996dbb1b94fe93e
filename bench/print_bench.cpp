// One print run at the table limits through the Qt printer into a PDF file: 600 pupils in 50
// classes with six wishes each, 100 groups over 10 periods; every wish list, class list, group
// list and not-placed list of every period.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "base/codec.h"
#include "bench_work.h"
#include "commands/printing.h"
#include "ui/qtprinter.h"
#include "ui/textconv.h"

namespace pelora::bench {
namespace {

// The quiet desktop with the program's printer, naming the same PDF file for every run.
class PdfDesktop : public QuietDesktop {
public:
    explicit PdfDesktop(std::filesystem::path file) : m_file(std::move(file)) {
        m_printer.setOutputFile(m_file);
    }
    std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest&) override {
        return m_file;
    }
    Printer& printer() override { return m_printer; }
    Answer MsgBox(const std::string& text, Buttons buttons, Icon icon, const std::string& title,
                  std::optional<Answer> defaultAnswer = std::nullopt) override {
        if (icon != Icon::Question) complaint = text;
        return QuietDesktop::MsgBox(text, buttons, icon, title, defaultAnswer);
    }
    std::string complaint;  // a message other than the question about replacing the file

private:
    std::filesystem::path m_file;
    ui::QtPrinter m_printer;
};

void fillLimits(App& app) {
    Work& work = app.work;
    work.start = {"Elevens val", "Björkhagaskolan"_cp, "Läsåret 2025/26"_cp};
    work.start.periodCount = MaxPeriods;
    for (int c = 1; c <= MaxClasses; ++c)
        work.classList[c] =
            std::to_string(c % 9 + 1) + std::string(1, static_cast<char>('A' + c / 9));
    work.classCount = MaxClasses;
    for (int g = 1; g <= MaxGroups; ++g) {
        work.groupTable[g] = {"ÖVNING "_cp + std::to_string(g),
                              "Åsa Lärare "_cp + std::to_string(g), "12", "",
                              std::to_string((g - 1) % MaxPeriods + 1)};
    }
    work.groupCount = MaxGroups;
    for (int i = 1; i <= MaxStudents; ++i) {
        Student& pupil = work.studentTable[i];
        pupil.name = "Elev " + std::to_string(i) + " Långnamnsdotter"_cp;
        pupil.key = "K" + std::to_string(i % 1000);
        pupil.className = work.classList[(i - 1) % MaxClasses + 1];
        for (int k = 0; k < 6; ++k) {
            if (k > 0) pupil.wishes += "\r\n";
            pupil.wishes += "ÖVNING "_cp + std::to_string((i * 7 + k * 13) % MaxGroups + 1);
        }
        // Nine pupils in ten placed in each period, in one of that period's ten groups.
        for (int p = 1; p <= MaxPeriods; ++p) {
            if ((i + p) % 10 != 0)
                work.placement[p][i] = static_cast<std::int16_t>((i % 10) * MaxPeriods + p);
        }
    }
    work.studentCount = MaxStudents;
    PrintScreen& dialog = app.form4;
    for (CheckBox* all :
         {&dialog.Check1, &dialog.Check2, &dialog.Check4, &dialog.Check5, &dialog.Check3}) {
        all->value = 1;
    }
}

void PrintEveryListToPdf(benchmark::State& state) {
    QTemporaryDir folder;
    const std::filesystem::path file = ui::toPath(folder.filePath(QStringLiteral("listor.pdf")));
    PdfDesktop desktop(file);
    auto app = std::make_unique<App>(desktop);
    fillLimits(*app);
    for (auto _ : state) {
        app->form4.visible = true;
        PrintLists(*app);
    }
    // Every page object of the file, the page tree aside.
    QFile pdf(ui::fromPath(file));
    pdf.open(QIODevice::ReadOnly);
    const QByteArray bytes = pdf.readAll();
    const auto pages = bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                       bytes.count("/Type /Page ") + bytes.count("/Type /Page/");
    if (pages == 0 || app->form4.visible || !desktop.complaint.empty()) {
        state.SkipWithError(("the run did not print: " + desktop.complaint).c_str());
    }
    // PELORA_BENCH_PDF names a file to keep the last run in, to compare its text between builds.
    if (const char* kept = std::getenv("PELORA_BENCH_PDF")) {
        QFile copy(QString::fromLocal8Bit(kept));
        if (copy.open(QIODevice::WriteOnly)) copy.write(bytes);
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

}  // namespace

BENCHMARK(PrintEveryListToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace pelora::bench
