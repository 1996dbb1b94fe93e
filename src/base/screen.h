// What the windows show, as plain data: every control of the main window and of the dialogs
// whose fields live on between openings, plus the windows' own variables. The core writes it;
// the Qt shell copies it into the widgets and copies user input back before each operation.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/model.h"
#include "base/richtext.h"

namespace pelora {

struct Colour {
    std::uint8_t red = 255, green = 255, blue = 255;
    friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour White{255, 255, 255};
inline constexpr Colour Green{0, 255, 0};
inline constexpr Colour LightRed{255, 128, 128};

struct Label {
    std::string caption;
    bool enabled = true;
};

struct Button {
    bool enabled = true;
};

struct TextBox {
    std::string text;
    bool enabled = true;
    // The user's text held characters Windows-1252 cannot hold; `text` has "?" in their place.
    bool unrepresentable = false;
};

struct CheckBox {
    int value = 0;  // 0 unticked, 1 ticked, 2 greyed
    bool enabled = true;
};

// A combo box whose text can be typed; items may carry a number.
struct ComboBox {
    std::vector<std::string> items;
    std::vector<int> itemData;
    std::string text;
    int listIndex = -1;  // the item shown where two items have the text; -1 for the first
    bool enabled = true;

    void clear() {
        items.clear();
        itemData.clear();
        text.clear();
        listIndex = -1;
    }
    void addItem(const std::string& item, int data = 0) {
        items.push_back(item);
        itemData.push_back(data);
    }
};

struct ListLine {
    std::string text;
    int itemData = 0;  // a pupil number where the list shows pupils
    bool marked = false;
};

// A list box in which several lines can be marked.
struct ListBox {
    std::vector<ListLine> lines;
    int listIndex = -1;  // the line last clicked, -1 for none

    void clear() {
        lines.clear();
        listIndex = -1;
    }
    void addItem(const std::string& text, int itemData = 0) { lines.push_back({text, itemData}); }
    int markedCount() const {
        int n = 0;
        for (const ListLine& line : lines)
            n += line.marked ? 1 : 0;
        return n;
    }
};

// One label of the group board; its position is the group's boardLeft/boardTop.
struct GroupLabel {
    std::string caption;
    std::string name;    // the group's whole name, where the caption cuts it
    std::string report;  // what is read out: "DANS, 19 elever, 1 plats kvar, placerad här"
    bool visible = false;
    Colour background = White;
    int stackOrder = 0;  // higher lies in front
};

enum class Focus { None, WishBox, StartDataSchool, GroupName, PrintGroups };

// The main window, Form1.
struct MainScreen {
    std::string caption = "Pelora";
    bool startMaximized = false;
    Focus focusRequest = Focus::None;  // taken and cleared by the shell

    // Frame "Elever": the wish entry.
    ComboBox Combo1;                      // class box "Klass"
    ComboBox Combo2;                      // pupil box "Elev", item data = pupil number
    Button Command5;                      // "<" previous class
    Button Command6;                      // ">" next class
    Button Command2;                      // "<" previous pupil
    Button Command3;                      // ">" next pupil
    TextBox Text2;                        // wish box "Önskemål"
    Label wishHint;                       // under it: the first wish that names no group
    std::vector<std::string> groupNames;  // what the wish box offers as the user types
    Button Command4{false};               // "Ångra"

    // Frame "Översikten".
    ComboBox Combo3;  // criterion box "Visa i översikt"
    CheckBox Check3;  // "Visa bara oplacerade"
    ListBox List2;    // the overview, item data = pupil number
    Label Label11;    // count line
    TextBox Text1;    // search box "Sökbegrepp"
    Button Command8;  // "Sök"
    CheckBox Check2;  // "Matcha hela ord"
    Button Command7;  // "Placera i aktuell grupp"

    // Frame "Grupper".
    std::array<GroupLabel, MaxGroups + 1> Label1;  // the board's labels; 0 is never used
    int topStackOrder = 0;                         // stackOrder of the front-most label
    ListBox List1;                                 // member list "Grupplista"
    Button Command1;                               // "Ta bort markerade"
    Label groupData;                               // "Gruppdata" panel
    Label periodCaption{"Period"};                 // title of the period stepper
    Button Command10;                              // "<" previous period
    Label periodDisplay;                           // the stepper's period display
    Button Command9;                               // ">" next period
    Label status;                                  // status box "Status"
    CheckBox Check1;                               // "För in grupper i Önskemål"

    // The window's own variables.
    int dragOffsetX = 0;  // where a dragged label was taken hold of, in twips
    int dragOffsetY = 0;
    std::array<bool, MaxStudents + 1> overviewSelection{};  // pupils listed in the overview
    std::filesystem::path fileDialogName;  // the file last chosen in the open or save dialog
};

// The start data dialog, Form3.
struct StartDataScreen {
    std::string caption = "Nytt";  // "Nytt" or "Redigera startdata": the dialog's mode
    bool visible = false;
    TextBox Text1;       // "Skola"
    TextBox Text5;       // "Aktivitet"
    TextBox Text2;       // "Period/läsår"
    TextBox Text3;       // "Elevlista"
    TextBox Text4;       // "Klasser"
    TextBox Text6{"1"};  // "Antal perioder"
    CheckBox Check2;     // "Visa alla perioder samtidigt"
    CheckBox Check3;     // "Gruppfördelning utan önskemål"
    CheckBox Check1;     // "Behåll befintliga grupper"
};

// The group editor, Form2.
struct GroupEditorScreen {
    std::string caption = "Ny grupp";  // "Ny grupp" or "Redigera gruppdata": the editor's mode
    bool visible = false;
    TextBox Text1;                  // "Gruppens namn"
    TextBox Text2;                  // "Personal"
    TextBox Text3;                  // "Max antal elever"
    TextBox Text5{"1"};             // "Period"
    Label periodCaption{"Period"};  // the caption above the period field
    TextBox Text4;                  // "Kommentar"
};

// The help window, Form6: the manual's chapters and the one chosen.
struct HelpScreen {
    bool visible = false;
    ListBox List1;  // the chapters, " 1. Översikt" to " Alla avsnitt"
    RichText RTF2;  // the chosen chapter
};

// The help popup, Form7: one section of the manual.
struct HelpPopupScreen {
    bool visible = false;
    RichText RTF;
};

// The preview of a proposal for the pupils not yet placed, Form8.
struct ProposalScreen {
    bool visible = false;
    bool accepted = false;      // "Placera" was pressed
    bool periodsShown = false;  // the work has more than one period
    ComboBox Combo1;            // "Alla perioder" (0) or the period shown (its number)
    TextBox Text1;              // "Minst antal elever per grupp", empty for none
    CheckBox Check1;            // "Placera även elever utan möjligt önskemål ..."
    ListBox List1;              // per group its proposed pupils, then those who stay unplaced
    Label summary;              // how many get which wish, and how many stay unplaced, and why
    Button Command1;            // "Placera"
};

// The preview of wishes read from a form's answers, Form9. The column boxes' items carry the
// column (1 for the first), 0 for none and -1 for the columns taken together (the first and the
// last name, or the wishes in rank order).
struct WishImportScreen {
    bool visible = false;
    bool accepted = false;                       // "Läs in" was pressed
    std::vector<std::vector<std::string>> rows;  // the file's rows, its headings first
    std::vector<int> rankColumns;                // columns of the wishes in rank order
    int firstNameColumn = 0, lastNameColumn = 0;
    ComboBox Combo1;  // the identity number's column
    ComboBox Combo2;  // the name's
    ComboBox Combo3;  // the class's
    ComboBox Combo4;  // the wishes'
    Label summary;    // how many rows found their pupil
    ListBox List1;    // the rows that are not read, and why; the wishes that name no group
    Label existing;   // how many pupils have wishes already
    ListBox List2;    // those pupils
    CheckBox Check1;  // "Ersätt deras önskemål"
    ListBox List3;    // misspelt wishes with the group each may mean; the marked ones are corrected
    std::vector<std::string> corrected;  // the wish of each line of List3
    std::vector<std::string> marked;     // the wishes whose correction is marked, kept while
                                         // other columns are tried
    Button Command1;                     // "Läs in"
};

// The print dialog, Form4.
struct PrintScreen {
    bool visible = false;
    Label periodLabel{"Period(er)"};
    TextBox Text4;    // periods
    CheckBox Check5;  // "Alla" periods
    TextBox Text1;    // group lists
    CheckBox Check1;
    TextBox Text2;  // class lists
    CheckBox Check2;
    TextBox Text3;  // wish lists
    CheckBox Check4;
    TextBox Text5;  // earlier placements
    CheckBox Check6;
    CheckBox Check3;                     // "Ej placerade"
    std::filesystem::path folder;        // "Filerna finns i mappen:" the earlier work files' folder
    Label Dir1;                          // that folder as shown
    ListBox File1;                       // the work files (*.pel) in it, sorted by name
    std::vector<std::string> fileNames;  // their names as the system has them
    std::filesystem::path pdfFile;       // the PDF file last printed to
};

}  // namespace pelora
