// Printed lists broken into sheets, through the recording printer: a line is 10 high for each
// point of its font (120 at 12 points, 160 for a title at 16), the foot a 100-high line at the
// sheet's bottom with a line's room above it, so a sheet of height H holds H - 200 of lines.
// A further sheet opens with the page head's empty line, 120. The work is that of
// tests/data/utskrift with pupils added: see printing_test.cpp.
#include <algorithm>
#include <cstdio>

#include "commands/opensave.h"
#include "commands/printing.h"

#include "core_fixture.h"
#include "recording_printer.h"

namespace pelora::test {
namespace {

class Sheets : public CoreTest {
protected:
    void SetUp() override {
        openWorkFile(app, PELORA_TEST_DATA "/utskrift/arbete.pel");
        app.work.start.periodCount = 1;
    }

    RecordingPrinter& printer() { return desktop.recordingPrinter; }

    // Pupils named P and their row, of the class, in group g in period 1 (0: in none).
    void addPupils(int count, const std::string& className, int g) {
        for (int k = 0; k < count; ++k) {
            const int i = ++app.work.studentCount;
            char name[16];
            std::snprintf(name, sizeof name, "P%02d", i);
            app.work.studentTable[i] = Student{name, "", className};
            app.work.placement[1][i] = g;
        }
    }

    void print(double height) {
        printer().height = height;
        printer().operations.clear();
        app.form4.visible = true;
        PrintLists(app);
        desktop.verify();
    }

    // Each sheet as the texts printed on it, empty ones left out, joined by "|".
    std::vector<std::string> sheetTexts() const {
        std::vector<std::string> all;
        for (const std::vector<std::string>& sheet : desktop.recordingPrinter.sheets()) {
            std::string texts;
            for (const std::string& op : sheet) {
                if (op.starts_with("print ") && op.size() > 6)
                    texts += (texts.empty() ? "" : "|") + op.substr(6);
            }
            all.push_back(texts);
        }
        return all;
    }
};

// A list longer than a sheet goes on over as many as it needs, each sheet with the school, its
// number in its list and the date at its foot, each further sheet starting with the list's
// title and what stands under it; a list that fits, fits to the last line; the empty line before
// a count that goes over is left out.
TEST_F(Sheets, ListsBreakIntoNumberedSheets) {
    const std::string foot1of1 = "Skolan|Sida 1 av 1|06-12-2026";
    const std::string head = "Skolan|06-12-2026|HT 2026  |";
    struct Case {
        const char* what;
        std::string classes, groups;
        int notPlaced;
        int pupils;  // added to the class, in the group
        std::string className;
        int group;
        double height;
        std::vector<std::string> sheets;
        std::vector<int> lines;  // ended on each sheet
    };
    const Case cases[] = {
        // 800 of page head and title, then 120 a pupil; a further sheet's top and title take
        // 440.
        {"a class list over two sheets",
         "7A",
         "",
         0,
         7,
         "7A",
         0,
         1400,
         {head + "Val    7A|Anna Ek|DANS|Eva|Bo Berg|P04|Skolan|Sida 1 av 2|06-12-2026",
          "Val    7A|P05|P06|P07|P08|P09|P10|Skolan|Sida 2 av 2|06-12-2026"},
         {9, 9}},
        {"one pupil more, over three",
         "7A",
         "",
         0,
         8,
         "7A",
         0,
         1400,
         {head + "Val    7A|Anna Ek|DANS|Eva|Bo Berg|P04|Skolan|Sida 1 av 3|06-12-2026",
          "Val    7A|P05|P06|P07|P08|P09|P10|Skolan|Sida 2 av 3|06-12-2026",
          "Val    7A|P11|Skolan|Sida 3 av 3|06-12-2026"},
         {9, 9, 4}},
        {"each list numbers its own sheets",
         "*",
         "",
         0,
         7,
         "7A",
         0,
         1400,
         {head + "Val    7B|Cy Dahl|" + foot1of1,
          head + "Val    7A|Anna Ek|DANS|Eva|Bo Berg|P04|Skolan|Sida 1 av 2|06-12-2026",
          "Val    7A|P05|P06|P07|P08|P09|P10|Skolan|Sida 2 av 2|06-12-2026"},
         {7, 9, 9}},
        // 920 with the staff, four pupils fill 1400 to the unit; the staff goes over with the
        // title.
        {"a group list whose count goes over alone",
         "",
         "dans",
         0,
         3,
         "7C",
         1,
         1600,
         {head + "Val   DANS|Eva|7A  Anna Ek|7C  P04|7C  P05|7C  P06|Skolan|Sida 1 av 2|06-12-2026",
          "Val   DANS|Eva|Antal:  4 |Skolan|Sida 2 av 2|06-12-2026"},
         {11, 5}},
        {"a sheet 240 higher holds the count",
         "",
         "dans",
         0,
         3,
         "7C",
         1,
         1840,
         {head + "Val   DANS|Eva|7A  Anna Ek|7C  P04|7C  P05|7C  P06|Antal:  4 |" + foot1of1},
         {13}},
        {"the pupils not placed, the count with the last of them",
         "",
         "",
         1,
         5,
         "7C",
         0,
         1400,
         {head + "Val, ej placerade|7B  Cy Dahl|7A  Bo Berg|7C  P04|Skolan|Sida 1 av 2|06-12-2026",
          "Val, ej placerade|7C  P05|7C  P06|7C  P07|7C  P08|Antal:  7 |Skolan|Sida 2 av "
          "2|06-12-2026"},
         {9, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        addPupils(c.pupils, c.className, c.group);
        app.form4 = PrintScreen{};
        app.form4.Text2.text = c.classes;
        app.form4.Text1.text = c.groups;
        app.form4.Check3.value = c.notPlaced;
        print(c.height);
        EXPECT_EQ(sheetTexts(), c.sheets);
        std::vector<int> lines;
        for (const std::vector<std::string>& sheet : printer().sheets())
            lines.push_back(static_cast<int>(std::count(sheet.begin(), sheet.end(), "endLine")));
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(printer().misplaced, std::vector<std::string>{});
    }
}

// A further sheet starts with the page head's empty line, the title in its own size and then the
// list in its size, the earlier placements' heads of columns too, and ends with the foot at the
// bottom; the first sheet prints as a list of one sheet does.
TEST_F(Sheets, AFurtherSheetStartsWithTheTitleAndTheHeadsInTheirFonts) {
    // The page head's empty line, as the list set its font for it.
    const std::string top = "font Times New Roman\nsize 12\nendLine\n";
    const std::string widths = "x 3500\nprint \nx 5500\nprint \nx 7500\nprint \nendLine\n";
    struct Case {
        const char* what;
        std::string wishes, classes, earlier;
        double height;
        std::string start, end;
    };
    const Case cases[] = {
        {"a wish list", "7A", "", "", 1400,
         top +
             "size 16\nx 1000\nprint Val, önskemål 7A\nendLine\nendLine\nsize 10\nx 1000\nprint "
             "P04\n"_cp +
             widths + "x 1000\nprint P05\n",
         "x 1000\nprint P10\n" + widths +
             "y 1300\nx 1000\nprint Skolan\nx 4450\nprint Sida 2 av 2\nx 7000\nprint "
             "06-12-2026\n"},
        {"a class list", "", "7A", "", 1400,
         top + "size 16\nx 1000\nprint Val    7A\nendLine\nendLine\nsize 12\nx 1000\nprint P05\n",
         "print P10\nx 5000\nprint \nx 6500\nprint \nendLine\nsize 10\ny 1300\nx 1000\nprint "
         "Skolan\n"},
        {"earlier placements", "", "", "7A", 1500,
         top + "size 16\nx 1000\nprint Val, tidigare placeringar 7A\nendLine\nendLine\nsize 10\nx "
               "3000\nprint ht25\nx 4250\nprint vt26\nendLine\nendLine\nx 1000\nprint P05\n",
         "print P10\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        addPupils(7, "7A", 0);
        app.form4 = PrintScreen{};
        app.form4.folder = PELORA_TEST_DATA "/tidigare/celler";
        app.form4.Text3.text = c.wishes;
        app.form4.Text2.text = c.classes;
        app.form4.Text5.text = c.earlier;
        print(c.height);
        const std::vector<std::vector<std::string>> sheets = printer().sheets();
        ASSERT_EQ(sheets.size(), 2u);
        std::string second;
        for (const std::string& op : sheets[1])
            second += op + "\n";
        EXPECT_TRUE(second.starts_with(c.start)) << second;
        EXPECT_NE(second.find(c.end), std::string::npos) << second;
        EXPECT_EQ(printer().misplaced, std::vector<std::string>{});

        // The first sheet is the list as a sheet high enough for all of it prints it, but for
        // the number at its foot.
        std::vector<std::string> first = sheets[0];
        print(100000);
        std::vector<std::string> whole = printer().sheets().at(0);
        EXPECT_NE(std::find(first.begin(), first.end(), "print Sida 1 av 2"), first.end());
        EXPECT_NE(std::find(whole.begin(), whole.end(), "print Sida 1 av 1"), whole.end());
        // What comes before the foot: up to the last line's end.
        auto toFoot = [](std::vector<std::string>& ops) {
            ops.erase(std::find(ops.rbegin(), ops.rend(), "endLine").base(), ops.end());
        };
        toFoot(first);
        toFoot(whole);
        ASSERT_LT(first.size(), whole.size());
        EXPECT_TRUE(std::equal(first.begin(), first.end(), whole.begin())) << c.what;
    }
}

// Whatever the height of the sheet, every list of a run (wish lists, class, group and not-placed
// lists of two periods) prints every line of it once and in order: a list's sheets are numbered
// 1 to their count, every further one starts with the title and the heads under it and goes on
// where the last ended, with a line of the list at least. Where a sheet holds its heads and a
// line, nothing falls off the sheet or under the foot.
TEST_F(Sheets, EveryLineOnceInOrderWhateverTheHeight) {
    app.work.start.periodCount = 2;
    addPupils(17, "7A", 1);
    addPupils(9, "7B", 0);
    for (int i = 4; i <= app.work.studentCount; i += 3)
        app.work.placement[2][i] = 3;
    // Each sheet's texts, and its number and count from the foot, which is left out.
    struct Sheet {
        std::vector<std::string> texts;
        int number = 0, count = 0;
    };
    auto runOf = [this](double height) {
        app.form4 = PrintScreen{};
        for (CheckBox* all : {&app.form4.Check1, &app.form4.Check2, &app.form4.Check4,
                              &app.form4.Check5, &app.form4.Check3})
            all->value = 1;
        print(height);
        std::vector<Sheet> sheets;
        for (const std::string& texts : sheetTexts()) {
            Sheet& sheet = sheets.emplace_back();
            std::size_t at = 0;
            for (std::size_t bar; (bar = texts.find('|', at)) != std::string::npos; at = bar + 1)
                sheet.texts.push_back(texts.substr(at, bar - at));
            sheet.texts.push_back(texts.substr(at));
            EXPECT_GE(sheet.texts.size(), 3u);
            if (sheet.texts.size() < 3) continue;
            const std::string foot = sheet.texts[sheet.texts.size() - 2];
            EXPECT_EQ(std::sscanf(foot.c_str(), "Sida %d av %d", &sheet.number, &sheet.count), 2)
                << foot;
            sheet.texts.resize(sheet.texts.size() - 3);
        }
        return sheets;
    };
    std::vector<std::vector<std::string>> lists;  // each list whole, from one sheet each
    for (const Sheet& sheet : runOf(1e9))
        lists.push_back(sheet.texts);
    ASSERT_EQ(lists.size(), 2u + 2 * 2 + 4 + 2);

    for (double height = 500; height <= 3200; height += 37) {
        SCOPED_TRACE(height);
        printer().misplaced.clear();
        std::size_t list = 0, line = 0;  // the list and its next line
        int number = 0, count = 0;       // the sheet within it
        for (const Sheet& sheet : runOf(height)) {
            if (sheet.number == 1) {
                if (number > 0) {
                    ASSERT_EQ(number, count) << "a list's sheets end early";
                    ASSERT_EQ(line, lists[list].size()) << "lines lost from " << list;
                    ++list;
                }
                ASSERT_LT(list, lists.size());
                line = 0;
                count = sheet.count;
                number = 1;
            } else {
                ASSERT_EQ(sheet.number, ++number);
                ASSERT_EQ(sheet.count, count);
            }
            const std::vector<std::string>& whole = lists[list];
            const std::size_t title = static_cast<std::size_t>(
                std::find_if(whole.begin(), whole.end(),
                             [](const std::string& text) { return text.starts_with("Val"); }) -
                whole.begin());
            std::size_t head = 0;
            // On a sheet too small for the page head, a sheet that breaks before the title
            // has no title to repeat.
            if (sheet.number > 1 && line > title) {
                // The title, and as much of what stands under it as is wanted for the rest of
                // the sheet to go on where the last sheet ended.
                const std::vector<std::string>& on = sheet.texts;
                auto goesOn = [&](std::size_t h) {
                    return on.size() - h <= whole.size() - line &&
                           std::equal(on.begin(), on.begin() + static_cast<long>(h),
                                      whole.begin() + static_cast<long>(title)) &&
                           std::equal(on.begin() + static_cast<long>(h), on.end(),
                                      whole.begin() + static_cast<long>(line));
                };
                for (head = 1; head < on.size() && !goesOn(head); ++head) {
                }
                ASSERT_LT(head, on.size()) << "sheet " << sheet.number << " of " << whole[title];
            }
            line += sheet.texts.size() - head;
            ASSERT_LE(line, whole.size());
        }
        EXPECT_EQ(number, count);
        EXPECT_EQ(list + 1, lists.size());
        EXPECT_EQ(line, lists.back().size());
        if (height >= 1400) {
            EXPECT_EQ(printer().misplaced, std::vector<std::string>{});
        }
    }
}

// A list that the printer fails on is told, and the next list starts on a fresh sheet of its
// own, numbered from 1.
TEST_F(Sheets, AfterAListThatFailsTheNextStartsOnAFreshSheet) {
    app.form4.Text2.text = "*";
    printer().failOnPrint = "Cy Dahl";
    desktop.expectMsgBox("Fel vid utskrift\r\nSkrivaren svarar inte", Buttons::Ok,
                         Icon::Exclamation, "Skriv ut", Answer::Ok);
    print(14000);
    EXPECT_EQ(sheetTexts(), (std::vector<std::string>{
                                "Skolan|06-12-2026|HT 2026  |Val    7B",
                                "Skolan|06-12-2026|HT 2026  |Val    7A|Anna Ek|DANS|Eva|Bo "
                                "Berg|Skolan|Sida 1 av 1|06-12-2026",
                            }));
    EXPECT_EQ(printer().sheets().at(1).front(), "font Times New Roman");
}

}  // namespace
}  // namespace pelora::test
