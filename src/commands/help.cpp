#include "commands/help.h"

#include "base/codec.h"
#include "base/files.h"
#include "commands/version.h"
#include "formats/rtf.h"

namespace pelora {

namespace {

const char* const kHomepage = "https://pelora.example/";
const char* const kManualArchive = "https://pelora.example/pel.zip";
const char* const kEndMarker = "---";

const std::vector<std::string>& chapters() {
    // Converted first: clang 14 cannot take the literals inside the braces.
    static const std::string one = " 1. Översikt"_cp, three = " 3. Inskrivning av önskemål"_cp,
                             five = " 5. Översikten"_cp;
    static const std::vector<std::string> entries = {
        "",
        one,
        " 2. Skapa grupper",
        three,
        " 4. Placering i grupp",
        five,
        " 6. Utskrifter",
        " 7. Spara",
        " Alla avsnitt",
    };
    return entries;
}

void manualMissingMessage(App& app) {
    app.desktop.MsgBox(
        "Hittar inte manualen pel.rtf som skall ligga i programmets mapp.\r\n"
        "Hämta vid behov åter "_cp +
            std::string(kManualArchive) + ".",
        Desktop::Buttons::Ok, Desktop::Icon::Exclamation, "Hjälptext saknas"_cp);
}

}  // namespace

void loadManual(App& app) {
    app.run.manualMissing = true;
    for (const std::filesystem::path& place : app.manualPlaces) {
        const std::optional<std::string> bytes = app.files.read(place);
        if (!bytes) continue;
        app.manualBytes = *bytes;
        app.manual.reset();
        app.run.manualMissing = false;
        break;
    }
    ListBox& list = app.form6.List1;
    list.clear();
    for (const std::string& entry : chapters())
        list.addItem(entry);
}

std::optional<RichText> ShowHelpSection(App& app, const std::string& startHeading,
                                        const std::string& endHeading, int show) {
    if (app.run.manualMissing) {
        manualMissingMessage(app);
        return std::nullopt;
    }
    // Read only now: most runs never open the help.
    if (!app.manual) app.manual = readRtf(app.manualBytes);
    const std::u32string& text = app.manual->text;
    const std::size_t a = findIgnoringCase(text, unicodeOf(startHeading));
    const std::size_t b =
        a == std::u32string::npos ? a : findIgnoringCase(text, unicodeOf(endHeading), a);
    if (b == std::u32string::npos || b <= a) {
        const std::string& missing = a == std::u32string::npos ? startHeading : endHeading;
        app.desktop.MsgBox(
            "Fel i hjälptext: rubriken \""_cp + missing + "\" finns inte i manualen.",
            Desktop::Buttons::Ok, Desktop::Icon::Exclamation, "Fel i hjälptext"_cp);
        return std::nullopt;
    }
    RichText section = app.manual->slice(a, b - a - 1);
    if (show == 1) {
        app.form7.RTF = section;
        app.form7.visible = true;
        app.desktop.ShowDialog(Dialog::HelpPopup);
    }
    return section;
}

void Helptext(App& app) {
    if (app.run.manualMissing) {
        manualMissingMessage(app);
        return;
    }
    // Chapter 1 the first time.
    if (app.form6.List1.listIndex < 1) form6::List1_Click(app, 1);
    app.form6.visible = true;
    app.desktop.ShowDialog(Dialog::HelpWindow);
}

void help_about(App& app) {
    app.desktop.MsgBox("Pelora ver. "_cp + std::string(kVersion) +
                           "\r\nHämta nya versioner från "_cp + std::string(kHomepage) +
                           "\r\nEpost: support@pelora.example",
                       Desktop::Buttons::Ok, Desktop::Icon::None, "Om programmet");
}

namespace form6 {

void List1_Click(App& app, int index) {
    ListBox& list = app.form6.List1;
    const int last = static_cast<int>(chapters().size()) - 1;  // " Alla avsnitt"
    if (index < 0 || index > last) return;
    if (index == 0) index = 1;
    list.listIndex = index;
    for (std::size_t k = 0; k < list.lines.size(); ++k)
        list.lines[k].marked = static_cast<int>(k) == index;
    const auto trimmed = [](const std::string& entry) {
        return entry.substr(entry.find_first_not_of(' '));
    };
    std::string start, end;
    if (index == last) {
        start = trimmed(chapters()[1]);
        end = kEndMarker;
    } else {
        start = trimmed(chapters()[static_cast<std::size_t>(index)]);
        end = index < last - 1 ? trimmed(chapters()[static_cast<std::size_t>(index + 1)])
                               : std::string(kEndMarker);
    }
    if (std::optional<RichText> section = ShowHelpSection(app, start, end, 0)) {
        app.form6.RTF2 = std::move(*section);
    }
}

void Command3_Click(App& app) {
    app.form6.visible = false;
}

}  // namespace form6

namespace form7 {

void Form_Unload(App& app) {
    app.form7.visible = false;
}

}  // namespace form7

}  // namespace pelora
