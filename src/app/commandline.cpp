#include "app/commandline.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "base/codec.h"
#include "base/files.h"
#include "base/text.h"
#include "commands/app.h"
#include "commands/help.h"
#include "commands/opensave.h"
#include "commands/version.h"

namespace pelora::app {

namespace {

namespace fs = std::filesystem;

// The desktop of a run without a window: every message goes to standard error and gets the
// answer its box would give to Enter; nothing is asked for, chosen or printed.
class ConsoleDesktop : public Desktop {
public:
    Answer MsgBox(const std::string& text, Buttons buttons, Icon, const std::string& title,
                  std::optional<Answer> defaultAnswer) override {
        std::fprintf(stderr, "%s: %s\n", cp1252ToUtf8(title).c_str(),
                     cp1252ToUtf8(replaceAll(text, "\r\n", " ")).c_str());
        if (defaultAnswer) return *defaultAnswer;
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes
                                                                            : Answer::Ok;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::optional<fs::path> OpenFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<fs::path> SaveFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<fs::path> FolderDialog(const fs::path&) override { return {}; }
    void ShowDialog(Dialog) override {}
    void PrinterSetup() override {}
    Printer& printer() override { throw std::runtime_error("Ingen skrivare utan fönster."); }
    Date today() override {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
    }
};

// The folder of the running program, where its manual is looked for as the window does.
fs::path programFolder(const char* argv0) {
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) self = fs::absolute(argv0, error);
    return self.parent_path();
}

// The words of the command line after the program's name, joined: a path with blanks may come in
// parts.
std::string joined(int argc, char* argv[], int from) {
    std::string all;
    for (int k = from; k < argc; ++k)
        all += (k > from ? " " : "") + std::string(argv[k]);
    return all;
}

// "pelora --version [arbetsfil]": the version and the manual the program uses, for the people
// who install it; with a work file, what the program reads of it.
int printVersion(int argc, char* argv[]) {
    ConsoleDesktop desktop;
    App app(desktop);
    const fs::path folder = programFolder(argv[0]);
    app.manualPlaces = {folder / "../share/pelora/pel.rtf", folder / "pel.rtf"};
    loadManual(app);
    std::string manual = "saknas";
    for (const fs::path& place : app.manualPlaces) {
        std::error_code error;
        if (!app.run.manualMissing && fs::exists(place, error)) {
            manual = pelora::utf8Path(fs::weakly_canonical(place, error));
            break;
        }
    }
    std::printf("Pelora %s\nManual: %s\n", kVersion, manual.c_str());
    if (argc > 2) {
        app.run.commandLineFile = joined(argc, argv, 2);
        Arkivoppna(app);
        std::printf("Arbete: %s\n%s\n", pelora::utf8Path(app.run.workFilePath).c_str(),
                    cp1252ToUtf8(replaceAll(app.screen.status.caption, "\r\n", "\n")).c_str());
    }
    return 0;
}

void printHelp() {
    std::printf(
        "Användning: pelora [arbetsfil]\n"
        "            pelora --version [arbetsfil]\n"
        "            pelora --help\n"
        "\n"
        "Pelora fördelar skolans elever i valbara grupper. Med en arbetsfil (*.pel) öppnas\n"
        "den; utan startar programmet utan arbete, och Arkiv → Nytt eller Öppna tar fram ett.\n"
        "\n"
        "  --version  visar programmets version och var manualen finns; med en arbetsfil\n"
        "             också vad programmet läser i den. Inget fönster visas.\n"
        "  --help     visar den här texten.\n");
}

}  // namespace

std::optional<int> runWithoutWindow(int argc, char* argv[]) {
    if (argc < 2) return std::nullopt;
    const std::string first = argv[1];
    if (first == "--help" || first == "-h") {
        printHelp();
        return 0;
    }
    if (first == "--version") return printVersion(argc, argv);
    std::error_code error;
    if (first.starts_with("--") && !fs::exists(joined(argc, argv, 1), error)) {
        std::fprintf(stderr,
                     "pelora: okänt val %s. Skriv pelora --help för att se vad som går att "
                     "välja.\n",
                     first.c_str());
        return 2;
    }
    return std::nullopt;
}

}  // namespace pelora::app
