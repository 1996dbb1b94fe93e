// What the fuzz targets share: a desktop that answers every question by a fixed rule, a printer
// that prints nowhere, and a folder of their own for the files the readers open.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/desktop.h"
#include "base/printer.h"

namespace pelora::fuzz {

// Stops the run with a finding when a property of the program does not hold.
#define PELORA_CHECK(condition)                                                                 \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)

class NullPrinter : public Printer {
public:
    void setFontName(const std::string&) override {}
    void setFontSize(double) override {}
    double pageWidth() override { return 10000; }
    double pageHeight() override { return 14000; }
    void setCurrentX(double x) override { m_x = x; }
    double currentX() override { return m_x; }
    void setCurrentY(double) override {}
    void print(const std::string& text) override { m_x += static_cast<double>(text.size()); }
    void endLine() override { m_x = 0; }
    double textWidth(const PrintFont&, const std::string& text) override {
        return static_cast<double>(text.size());
    }
    double lineHeight(const PrintFont& font) override { return 10 * font.points; }
    void newPage() override {}
    PrintedDocument endDoc() override { return {}; }
    bool printsToFile() override { return false; }
    void setOutputFile(const std::filesystem::path&) override {}

private:
    double m_x = 0;
};

// Answers OK and Yes; Cancel to the n-th OK/Cancel question when told to; the input box for a
// roster gets `rosterAnswer` once and then nothing (which ends the program). With
// PELORA_FUZZ_DEBUG set in the environment it prints every message, to follow a finding.
class FuzzDesktop : public Desktop {
public:
    int questions = 0;
    int cancelAt = 0;  // the OK/Cancel question answered Cancel; 0 for never
    std::string rosterAnswer;
    int inputBoxes = 0;

    Answer MsgBox(const std::string& text, Buttons buttons, Icon, const std::string&,
                  std::optional<Answer> = std::nullopt) override {
        PELORA_CHECK(!text.empty());
        if (std::getenv("PELORA_FUZZ_DEBUG")) std::fprintf(stderr, "msg: %s\n", text.c_str());
        ++questions;
        switch (buttons) {
            case Buttons::Ok:
                return Answer::Ok;
            case Buttons::OkCancel:
                return ++m_okCancel == cancelAt ? Answer::Cancel : Answer::Ok;
            case Buttons::YesNo:
            case Buttons::YesNoCancel:
                return Answer::Yes;
        }
        return Answer::Ok;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        ++questions;
        return inputBoxes++ == 0 ? rosterAnswer : std::string();
    }
    std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest&) override {
        ++questions;
        return std::nullopt;
    }
    std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest&) override {
        ++questions;
        return std::nullopt;
    }
    std::optional<std::filesystem::path> FolderDialog(const std::filesystem::path&) override {
        ++questions;
        return std::nullopt;
    }
    void ShowDialog(Dialog) override { ++questions; }
    void PrinterSetup() override {}
    Printer& printer() override { return m_printer; }
    Date today() override { return {}; }

private:
    int m_okCancel = 0;
    NullPrinter m_printer;
};

// A folder of this process's own, in memory where the system has such a folder.
inline const std::filesystem::path& fuzzFolder() {
    static const std::filesystem::path folder = [] {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        auto path = base / ("pelora-fuzz-" + std::to_string(::getpid()));
        // libFuzzer ends without running exit handlers: folders of earlier runs go here.
        const std::string prefix = "pelora-fuzz-";
        for (const auto& entry : std::filesystem::directory_iterator(base, error)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(prefix, 0) != 0) continue;
            if (std::filesystem::exists("/proc/" + name.substr(prefix.size()), error)) continue;
            std::filesystem::remove_all(entry.path(), error);
        }
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

inline std::filesystem::path writeFuzzFile(const std::string& name, const std::string& bytes) {
    const auto path = fuzzFolder() / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

}  // namespace pelora::fuzz
