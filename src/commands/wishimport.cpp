#include "commands/wishimport.h"

#include <algorithm>
#include <map>
#include <set>

#include "base/codec.h"
#include "base/files.h"
#include "base/numbers.h"
#include "base/text.h"
#include "commands/edit.h"
#include "commands/wishes.h"
#include "display/board.h"
#include "display/currentpupil.h"
#include "display/overview.h"
#include "display/status.h"
#include "formats/spreadsheet.h"

namespace pelora {

const std::string kWishImportTitle = "Läs in önskemål"_cp;

// Between a misspelt wish and the group it may mean: an arrow, which Windows-1252 cannot hold.
const std::string kMayMean = " " + codePointsAsWritten(U"\u2192") + " ";

namespace {

using Rows = std::vector<std::vector<std::string>>;

// A form's answers come as a CSV file or a workbook of a few hundred rows; anything much larger
// is no form's answers.
constexpr std::uintmax_t kLargestAnswers = 16u << 20;

bool isWordByte(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           c >= 0xC0 || c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9A || c == 0x9C ||
           c == 0x9E || c == 0x9F;
}

// The words of a heading in upper case: "1:a val" gives 1, A and VAL.
std::vector<std::string> headingWords(const std::string& heading) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : NormalizeUpper(withoutEscapes(heading)) + " ") {
        if (isWordByte(static_cast<unsigned char>(c))) {
            word.push_back(c);
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

bool hasWord(const std::vector<std::string>& words, std::initializer_list<std::string> any) {
    return std::any_of(words.begin(), words.end(), [&](const std::string& word) {
        return std::find(any.begin(), any.end(), word) != any.end();
    });
}

// The rank a heading of a wish column gives, "Val 2" and "2:a val" 2; 0 for none.
int headingRank(const std::vector<std::string>& words) {
    if (!hasWord(words, {"VAL", "VALET", "ÖNSKEMÅL"_cp, "ÖNSKEMÅLET"_cp})) return 0;
    for (const std::string& word : words) {
        if (word.size() <= 2 &&
            std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            const int rank = std::stoi(word);
            if (rank >= 1) return rank;
        }
    }
    return 0;
}

bool emptyRow(const std::vector<std::string>& row) {
    return std::all_of(row.begin(), row.end(),
                       [](const std::string& cell) { return trimBlanks(cell).empty(); });
}

// The first row that holds anything: a form's answers begin with their headings.
std::size_t headingRow(const Rows& rows) {
    return static_cast<std::size_t>(std::find_if_not(rows.begin(), rows.end(), emptyRow) -
                                    rows.begin());
}

std::string cell(const std::vector<std::string>& row, int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= row.size()) return std::string();
    return trimBlanks(singleLine(row[static_cast<std::size_t>(column)]));
}

// Names and classes as the answers and the roster are compared: upper case, one blank between
// words; a class without blanks at all ("7 A" is 7A).
std::string comparableName(const std::string& name) {
    std::string result;
    for (const char c : NormalizeUpper(name)) {
        if (c == ' ' && (result.empty() || result.back() == ' ')) continue;
        result.push_back(c);
    }
    return trimBlanks(result);
}

std::string comparableClass(const std::string& className) {
    std::string result = NormalizeUpper(className);
    result.erase(std::remove(result.begin(), result.end(), ' '), result.end());
    return result;
}

// One wish of the answers as one line: a line of the work file is ended by a TAB and split at
// "//", so neither may come from a form; and it holds only what Windows-1252 can.
std::string wishLine(const std::string& cellText) {
    std::string wish = withoutEscapes(cellText);
    std::replace(wish.begin(), wish.end(), '\t', ' ');
    return replaceAll(wish, "//", " ");
}

// The row's wishes in the stored form, first choice first.
std::vector<std::string> rowWishes(const std::vector<std::string>& row,
                                   const AnswerColumns& columns) {
    std::vector<std::string> parts;
    if (columns.wishes.size() == 1) {
        const int c = columns.wishes.front();
        const std::string text = c >= 0 && static_cast<std::size_t>(c) < row.size()
                                     ? row[static_cast<std::size_t>(c)]
                                     : std::string();
        std::string part;
        for (const char ch : text + "\n") {
            if (ch == '\r' || ch == '\n' || ch == ',' || ch == ';') {
                parts.push_back(wishLine(part));
                part.clear();
            } else {
                part.push_back(ch);
            }
        }
    } else {
        for (const int c : columns.wishes)
            parts.push_back(wishLine(cell(row, c)));
    }
    std::string typed;
    for (const std::string& part : parts)
        typed += (typed.empty() ? "" : CRLF) + part;
    const std::string stored = wishesAsStored(typed);
    std::vector<std::string> wishes;
    for (const std::string& line : splitLines(stored))
        if (!line.empty()) wishes.push_back(line);
    return wishes;
}

std::string pupilText(const Work& work, int i) {
    const Student& pupil = work.studentTable[i];
    return pupil.className + " " + pupil.name;
}

std::string columnLetters(int column) {
    std::string letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters;
}

// The item of a column box: the column's letters and its heading.
std::string columnItem(const std::vector<std::string>& headings, int column) {
    const std::string heading =
        excerpt(trimBlanks(singleLine(headings[static_cast<std::size_t>(column)])), 40);
    return columnLetters(column) + (heading.empty() ? "" : ": " + heading);
}

void choose(ComboBox& combo, int data) {
    const auto at = std::find(combo.itemData.begin(), combo.itemData.end(), data);
    const std::size_t k =
        at == combo.itemData.end() ? 0 : static_cast<std::size_t>(at - combo.itemData.begin());
    combo.listIndex = static_cast<int>(k);
    combo.text = combo.items[k];
}

int chosen(const ComboBox& combo) {
    if (combo.listIndex >= 0 && static_cast<std::size_t>(combo.listIndex) < combo.items.size() &&
        combo.items[static_cast<std::size_t>(combo.listIndex)] == combo.text)
        return combo.itemData[static_cast<std::size_t>(combo.listIndex)];
    for (std::size_t k = 0; k < combo.items.size(); ++k)
        if (combo.items[k] == combo.text) return combo.itemData[k];
    return 0;
}

// The column boxes of the preview, each set to the column the headings suggest.
void fillColumnBoxes(WishImportScreen& s, const std::vector<std::string>& headings) {
    const AnswerColumns guess = guessAnswerColumns(headings);
    s.rankColumns = guess.wishes.size() > 1 ? guess.wishes : std::vector<int>();
    s.firstNameColumn = guess.firstName + 1;
    s.lastNameColumn = guess.lastName + 1;
    for (ComboBox* combo : {&s.Combo1, &s.Combo2, &s.Combo3, &s.Combo4}) {
        combo->clear();
        combo->addItem("(ingen)", 0);
        if (combo == &s.Combo2 && guess.firstName >= 0 && guess.lastName >= 0) {
            combo->addItem(columnItem(headings, guess.firstName) + " + " +
                               columnItem(headings, guess.lastName),
                           -1);
        }
        if (combo == &s.Combo4 && !s.rankColumns.empty()) {
            combo->addItem(columnItem(headings, s.rankColumns.front()) + " … "_cp +
                               columnItem(headings, s.rankColumns.back()) + " (" +
                               plainNumber(static_cast<int>(s.rankColumns.size())) +
                               " kolumner i ordning)",
                           -1);
        }
        for (std::size_t c = 0; c < headings.size(); ++c)
            combo->addItem(columnItem(headings, static_cast<int>(c)), static_cast<int>(c) + 1);
    }
    choose(s.Combo1, guess.identity + 1);
    choose(s.Combo2, guess.name >= 0 ? guess.name + 1 : (guess.firstName >= 0 ? -1 : 0));
    choose(s.Combo3, guess.className + 1);
    choose(s.Combo4, guess.wishes.size() > 1 ? -1 : guess.wishes.empty() ? 0 : guess.wishes[0] + 1);
}

// The columns the boxes of the preview name.
AnswerColumns chosenColumns(const WishImportScreen& s) {
    AnswerColumns columns;
    columns.identity = chosen(s.Combo1) - 1;
    const int name = chosen(s.Combo2);
    if (name == -1) {
        columns.firstName = s.firstNameColumn - 1;
        columns.lastName = s.lastNameColumn - 1;
    } else {
        columns.name = name - 1;
    }
    columns.className = chosen(s.Combo3) - 1;
    const int wishes = chosen(s.Combo4);
    if (wishes == -1) {
        columns.wishes = s.rankColumns;
    } else if (wishes > 0) {
        columns.wishes = {wishes - 1};
    }
    return columns;
}

// A wish of the answers that names no group, with the group it may mean (0 for none) and the
// pupils whose answers hold it.
struct StrayWish {
    std::string wish;
    int group = 0;
    std::set<int> pupils;
};

std::vector<StrayWish> strayWishes(const Work& work, const AnswerReading& reading) {
    std::vector<StrayWish> strays;
    for (const auto& [pupil, row] : reading.read()) {
        for (const std::string& wish : row->wishes) {
            if (namesAGroup(work, wish)) continue;
            auto at = std::find_if(strays.begin(), strays.end(),
                                   [&](const StrayWish& s) { return s.wish == wish; });
            if (at == strays.end()) {
                strays.push_back({wish, closestGroup(work, wish), {}});
                at = strays.end() - 1;
            }
            at->pupils.insert(pupil);
        }
    }
    return strays;
}

std::string pupilCount(std::size_t n) {
    return n == 1 ? "1 elev" : plainNumber(static_cast<long long>(n)) + " elever";
}

// The preview of what the chosen columns give; the corrections the user has marked stay marked.
void showPreview(App& app) {
    const Work& work = app.work;
    WishImportScreen& s = app.form9;
    const AnswerColumns columns = chosenColumns(s);
    const AnswerReading reading = readAnswers(work, s.rows, columns);
    const auto read = reading.read();

    const bool findsPupils = columns.identity >= 0 || columns.name >= 0 || columns.firstName >= 0;
    std::size_t found = 0;
    for (const AnswerReading::Row& row : reading.rows)
        found += row.pupils.size() == 1 ? 1 : 0;
    std::string summary = "Filen har "_cp +
                          plainNumber(static_cast<long long>(reading.rows.size())) +
                          (reading.rows.size() == 1 ? " rad" : " rader") + " med svar, och " +
                          plainNumber(static_cast<long long>(found)) + " av dem hittade sin elev.";
    if (!findsPupils) summary += " Välj kolumnen med personnummer eller med namn."_cp;
    if (columns.wishes.empty()) summary += " Välj kolumnen med önskemålen."_cp;
    s.summary.caption = summary;

    s.List1.clear();
    std::map<int, int> lastRow;  // pupil → the row read for them
    for (const auto& [pupil, row] : read)
        lastRow[pupil] = row->row;
    for (const AnswerReading::Row& row : reading.rows) {
        const std::string at = "Rad " + plainNumber(row.row) + ": ";
        if (row.pupils.empty()) {
            s.List1.addItem(at + "ingen elev " + row.who);
        } else if (row.pupils.size() > 1) {
            s.List1.addItem(at + plainNumber(static_cast<long long>(row.pupils.size())) +
                            " elever passar " + row.who);
        } else if (lastRow[row.pupils.front()] != row.row) {
            s.List1.addItem(at + pupilText(work, row.pupils.front()) +
                            " har svarat igen på rad "_cp +
                            plainNumber(lastRow[row.pupils.front()]) + ", som läses in"_cp);
        } else if (row.wishes.empty() && !columns.wishes.empty()) {
            s.List1.addItem(at + pupilText(work, row.pupils.front()) + " har inga önskemål"_cp);
        }
    }

    s.List2.clear();
    for (const auto& [pupil, row] : read)
        if (!work.studentTable[pupil].wishes.empty() && !row->wishes.empty())
            s.List2.addItem(pupilText(work, pupil), pupil);
    s.existing.caption = s.List2.lines.empty() ? "Ingen av eleverna har önskemål sedan tidigare."_cp
                                               : pupilCount(s.List2.lines.size()) +
                                                     " har önskemål sedan tidigare:"_cp;
    s.Check1.enabled = !s.List2.lines.empty();

    // A correction the user marked stays marked while it is out of sight.
    for (std::size_t k = 0; k < s.List3.lines.size() && k < s.corrected.size(); ++k) {
        const auto at = std::find(s.marked.begin(), s.marked.end(), s.corrected[k]);
        if (s.List3.lines[k].marked && at == s.marked.end()) s.marked.push_back(s.corrected[k]);
        if (!s.List3.lines[k].marked && at != s.marked.end()) s.marked.erase(at);
    }
    s.List3.clear();
    s.corrected.clear();
    for (const StrayWish& stray : strayWishes(work, reading)) {
        if (stray.group == 0) {
            s.List1.addItem("Önskemålet "_cp + stray.wish + " är ingen grupp ("_cp +
                            pupilCount(stray.pupils.size()) + ")");
            continue;
        }
        s.List3.addItem(stray.wish + kMayMean +
                            trimBlanks(BaseName(work.groupTable[stray.group].name)) + "? (" +
                            pupilCount(stray.pupils.size()) + ")",
                        stray.group);
        s.List3.lines.back().marked =
            std::find(s.marked.begin(), s.marked.end(), stray.wish) != s.marked.end();
        s.corrected.push_back(stray.wish);
    }
    s.Command1.enabled =
        !columns.wishes.empty() && std::any_of(read.begin(), read.end(), [](const auto& entry) {
            return !entry.second->wishes.empty();
        });
}

// Stores the wishes the preview showed, with the corrections the user marked.
void storeAnswers(App& app) {
    Work& work = app.work;
    const WishImportScreen& s = app.form9;
    const AnswerReading reading = readAnswers(work, s.rows, chosenColumns(s));
    // The marked lines of the preview, which showed what these columns give.
    std::map<std::string, int> corrections;
    for (std::size_t k = 0; k < s.List3.lines.size() && k < s.corrected.size(); ++k)
        if (s.List3.lines[k].marked) corrections[s.corrected[k]] = s.List3.lines[k].itemData;
    const bool replace = s.Check1.value == 1;

    Edit edit(app, kWishImportTitle, {.allWishes = true});
    for (const auto& [pupil, row] : reading.read()) {
        if (row->wishes.empty()) continue;
        Student& student = work.studentTable[pupil];
        if (!student.wishes.empty() && !replace) continue;
        std::string wishes;
        for (const std::string& wish : row->wishes) {
            const auto corrected = corrections.find(wish);
            wishes += (wishes.empty() ? "" : CRLF) +
                      (corrected == corrections.end()
                           ? wish
                           : trimBlanks(BaseName(work.groupTable[corrected->second].name)));
        }
        student.wishes = wishes;
    }

    RunState& run = app.run;
    const int shown = run.currentStudent;
    run.undoWishes = shown >= 1 && shown <= MaxStudents ? work.studentTable[shown].wishes : "";
    app.screen.Command4.enabled = false;
    ShowCurrentStudent(app);
    ColourBoard(app);
    RefreshOverview(app);
    ShowStatus(app);
}

void tell(App& app, const std::string& text) {
    app.desktop.MsgBox(text, Desktop::Buttons::Ok, Desktop::Icon::Exclamation, kWishImportTitle);
}

}  // namespace

AnswerColumns guessAnswerColumns(const std::vector<std::string>& headings) {
    AnswerColumns columns;
    std::vector<std::pair<int, int>> ranked;  // rank, column
    int oneColumn = -1;
    for (std::size_t k = 0; k < headings.size(); ++k) {
        const int c = static_cast<int>(k);
        const std::vector<std::string> words = headingWords(headings[k]);
        auto take = [c](int& column) {
            if (column < 0) column = c;
        };
        if (hasWord(words, {"PERSONNUMMER", "PERSONNR", "PNR"})) {
            take(columns.identity);
        } else if (const int rank = headingRank(words); rank > 0) {
            if (std::none_of(ranked.begin(), ranked.end(),
                             [rank](const auto& r) { return r.first == rank; }))
                ranked.emplace_back(rank, c);
        } else if (hasWord(words, {"VAL", "ÖNSKEMÅL"_cp})) {
            take(oneColumn);
        } else if (hasWord(words, {"KLASS"})) {
            take(columns.className);
        } else if (hasWord(words, {"FÖRNAMN"_cp})) {
            take(columns.firstName);
        } else if (hasWord(words, {"EFTERNAMN"})) {
            take(columns.lastName);
        } else if (hasWord(words, {"NAMN", "ELEV"})) {
            take(columns.name);
        }
    }
    if (columns.name >= 0 || columns.firstName < 0 || columns.lastName < 0) {
        columns.firstName = columns.lastName = -1;
    }
    std::sort(ranked.begin(), ranked.end());
    if (ranked.size() > 1) {
        for (const auto& [rank, c] : ranked)
            columns.wishes.push_back(c);
    } else if (oneColumn >= 0) {
        columns.wishes = {oneColumn};
    } else if (ranked.size() == 1) {
        columns.wishes = {ranked.front().second};
    }
    return columns;
}

std::string comparableIdentity(const std::string& number) {
    std::string digits;
    for (const char c : number)
        if (c >= '0' && c <= '9') digits.push_back(c);
    if (digits.size() == 12 && (digits.starts_with("19") || digits.starts_with("20")))
        digits.erase(0, 2);
    if (digits.size() == 9) digits = "0" + digits;
    return digits;
}

std::vector<std::pair<int, const AnswerReading::Row*>> AnswerReading::read() const {
    std::map<int, const Row*> last;
    for (const Row& row : rows)
        if (row.pupils.size() == 1) last[row.pupils.front()] = &row;
    std::vector<std::pair<int, const Row*>> result(last.begin(), last.end());
    std::sort(result.begin(), result.end(),
              [](const auto& a, const auto& b) { return a.second->row < b.second->row; });
    return result;
}

AnswerReading readAnswers(const Work& work, const Rows& rows, const AnswerColumns& columns) {
    std::multimap<std::string, int> byIdentity, byName;
    for (int i = 1; i <= work.studentCount; ++i) {
        const Student& pupil = work.studentTable[i];
        const std::string identity = comparableIdentity(pupil.identity);
        if (!identity.empty()) byIdentity.emplace(identity, i);
        byName.emplace(comparableName(pupil.name), i);
    }
    AnswerReading reading;
    const std::size_t first = headingRow(rows);
    for (std::size_t r = first + 1; r < rows.size(); ++r) {
        const std::vector<std::string>& cells = rows[r];
        if (emptyRow(cells)) continue;
        AnswerReading::Row row;
        row.row = static_cast<int>(r) + 1;
        row.wishes =
            columns.wishes.empty() ? std::vector<std::string>() : rowWishes(cells, columns);
        const std::string identity = comparableIdentity(cell(cells, columns.identity));
        std::string name = cell(cells, columns.name);
        if (columns.name < 0)
            name = trimBlanks(cell(cells, columns.firstName) + " " + cell(cells, columns.lastName));
        const std::string className = withoutEscapes(cell(cells, columns.className));
        if (!identity.empty()) {
            row.who = "med personnummer " + identity;
            const auto [from, to] = byIdentity.equal_range(identity);
            for (auto at = from; at != to; ++at)
                row.pupils.push_back(at->second);
        } else if (!name.empty()) {
            row.who = name + (columns.className >= 0 ? ", " + className : "");
            const std::string wantedClass = comparableClass(className);
            const auto [from, to] = byName.equal_range(comparableName(name));
            for (auto at = from; at != to; ++at) {
                if (columns.className < 0 ||
                    comparableClass(work.studentTable[at->second].className) == wantedClass)
                    row.pupils.push_back(at->second);
            }
        } else {
            row.who = "(raden namnger ingen elev)";
        }
        std::sort(row.pupils.begin(), row.pupils.end());
        reading.rows.push_back(std::move(row));
    }
    return reading;
}

void Arkiv_onskemal(App& app) {
    if (app.work.studentCount == 0) {
        tell(app, "Arbetet har inga elever än. Läs in elevlistan först, sedan önskemålen."_cp);
        return;
    }
    const std::optional<std::filesystem::path> path =
        app.desktop.OpenFileDialog({"Formulärsvar|*.csv;*.xlsx;*.ods|Alla filer|*"_cp, "csv", ""});
    if (!path || path->empty()) return;
    const std::string shownPath = excerpt(displayPath(*path), 80);
    const std::optional<std::uintmax_t> size = app.files.fileSize(*path);
    if (size && *size > kLargestAnswers) {
        tell(app, "Filen "_cp + shownPath +
                      " är för stor för att vara svar på ett formulär (större än 16 MB)."_cp);
        return;
    }
    const std::optional<std::string> bytes = app.files.read(*path);
    if (!bytes) {
        tell(app, "Kan inte läsa filen "_cp + shownPath + ".");
        return;
    }
    std::optional<Table> table;
    if (isArchive(*bytes)) {
        table = readWorkbook(*bytes);
    } else {
        table = readCsv(textAsWritten(*bytes));
    }
    if (!table) {
        tell(app, "Filen "_cp + shownPath +
                      " är varken en CSV-fil eller ett kalkylblad (.xlsx, .ods) som programmet "
                      "kan läsa."_cp);
        return;
    }
    const std::size_t headings = headingRow(*table);
    if (std::all_of(
            table->begin() + static_cast<std::ptrdiff_t>(std::min(headings + 1, table->size())),
            table->end(), emptyRow)) {
        tell(app, "Filen "_cp + shownPath +
                      " har inga svar: den behöver en rad med rubriker och sedan en rad per "
                      "elev."_cp);
        return;
    }

    WishImportScreen& s = app.form9;
    s.rows = std::move(*table);
    s.List3.clear();
    s.corrected.clear();
    s.marked.clear();
    s.Check1.value = 0;
    fillColumnBoxes(s, s.rows[headings]);
    showPreview(app);
    s.accepted = false;
    s.visible = true;
    app.desktop.ShowDialog(Dialog::WishImport);
    if (s.accepted) storeAnswers(app);
    s.rows.clear();
}

namespace form9 {

void Combo_Click(App& app) {
    showPreview(app);
}

void Command1_Click(App& app) {
    if (!app.form9.Command1.enabled) return;
    app.form9.accepted = true;
    app.form9.visible = false;
}

void Command2_Click(App& app) {
    app.form9.accepted = false;
    app.form9.visible = false;
}

}  // namespace form9

}  // namespace pelora
