// Reading the roster: 600 pupils from an .xlsx workbook made by a spreadsheet program, unpacked
// and parsed each time as when a work is opened. Reading 600 pupils' wishes from a form's
// answers: the file, its preview and the wishes stored.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

#include "bench_work.h"
#include "commands/wishimport.h"
#include "formats/roster.h"

namespace pelora::bench {
namespace {

void RosterFromXlsx(benchmark::State& state) {
    std::ifstream file(PELORA_TEST_DATA "/rosters/kalkylblad/elever-600.xlsx", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    if (readRoster(bytes, "").pupils.size() != 600) state.SkipWithError("not 600 pupils");
    for (auto _ : state)
        benchmark::DoNotOptimize(readRoster(bytes, ""));
}

// Answers the file dialog with the answers and the preview with "Läs in".
class ImportDesktop : public QuietDesktop {
public:
    ImportDesktop(App*& app, std::filesystem::path answers) : m_app(app), m_answers(answers) {}
    std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest&) override {
        return m_answers;
    }
    void ShowDialog(Dialog) override { form9::Command1_Click(*m_app); }

private:
    App*& m_app;
    std::filesystem::path m_answers;
};

// 600 rows, one a pupil, found by identity number, with five choices in rank order of which
// every fifth names no group and is a letter from one.
void WishesFromSixHundredAnswers(benchmark::State& state) {
    const std::filesystem::path answers =
        std::filesystem::temp_directory_path() / "pelora-bench-svar.csv";
    {
        std::ofstream out(answers, std::ios::binary);
        out << "Tidstämpel;Personnummer;Namn;Klass;Val 1;Val 2;Val 3;Val 4;Val 5\r\n";
        for (int i = 1; i <= MaxStudents; ++i) {
            out << "2026-08-20 08:00;" << 9001010000LL + i << ";Elev " << i << ";9A";
            for (int k = 0; k < 5; ++k)
                out << ";aktivitet " << (i * 7 + k * 13) % MaxGroups + 1 << (k == 4 ? "X" : "");
            out << "\r\n";
        }
    }
    App* current = nullptr;
    ImportDesktop desktop(current, answers);
    auto app = std::make_unique<App>(desktop);
    current = app.get();
    fillWork(*app, true);
    for (int i = 1; i <= MaxStudents; ++i)
        app->work.studentTable[i].identity = std::to_string(9001010000LL + i);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 1; i <= MaxStudents; ++i)
            app->work.studentTable[i].wishes.clear();
        app->history.clear();
        state.ResumeTiming();
        Arkiv_onskemal(*app);
    }
    if (app->work.studentTable[MaxStudents].wishes.empty()) state.SkipWithError("nothing read");
    state.counters["corrections"] = static_cast<double>(app->form9.List3.lines.size());
    std::filesystem::remove(answers);
}

}  // namespace

BENCHMARK(WishesFromSixHundredAnswers)->Unit(benchmark::kMillisecond);
BENCHMARK(RosterFromXlsx)->Unit(benchmark::kMillisecond);

}  // namespace pelora::bench
