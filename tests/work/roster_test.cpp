#include "work/roster.h"

#include "core_fixture.h"
#include "temp_folder.h"

namespace pelora::test {
namespace {

namespace fs = std::filesystem;

std::string bytes(std::initializer_list<int> codes) {
    std::string key;
    for (int code : codes)
        key.push_back(static_cast<char>(code));
    return key;
}

struct KeyCase {
    const char* id;
    std::string key;
};

TEST(StudentKey, IsTheSameForEveryWritingOfTheNumber) {
    const KeyCase cases[] = {
        {"19900101-1234", bytes({32, 42, 43, 55})},
        {"900101-1234", bytes({32, 42, 43, 55})},
        {"9001011234", bytes({32, 42, 43, 55})},
        {"199001011234", bytes({32, 42, 43, 55})},
        {"  9001011234 ", bytes({32, 42, 43, 55})},
        {"20121224-5678", bytes({32 + 21, 32 + 22, 32 + 45, 32 + 67})},
        // Without the century a year 19 or 20 still loses its first two digits.
        {"190101-1234", bytes({32 + 10, 32 + 11, 32 + 23, 32 + 4})},
        {"200101-1234", bytes({32 + 10, 32 + 11, 32 + 23, 32 + 4})},
        // Eight characters or fewer keep their century-like start.
        {"19010112", bytes({32 + 90, 32 + 10, 32 + 11, 32 + 2})},
        // Short numbers get one "0" in front; missing pairs count 0.
        {"1234567", bytes({32 + 12, 32 + 34, 32 + 56, 32 + 7})},
        {"12", bytes({32 + 12, 32, 32, 32})},
        {"", bytes({32, 32, 32, 32})},
        // Only the first "-" goes; what is not a number counts 0, a sign counts.
        {"90-01-01-1234", bytes({32, 32 + 1, 32 + 1, 32 - 1})},
        {"ABCDEFGHIJ", bytes({32, 32, 32, 32})},
        {"9x01011234", bytes({32, 42, 43, 55})},
        {"12-3-4-56", bytes({32 + 23, 32 - 4, 32 - 5, 32 + 6})},
        // The highest pairs give the bytes above 127.
        {"0969798990", bytes({128, 129, 130, 131})},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(studentKey(c.id), c.key) << "id \"" << c.id << "\"";
    }
}

TEST(StudentKey, NumbersDifferingInTheFirstOrLastDigitShareTheKey) {
    EXPECT_EQ(studentKey("9001011234"), studentKey("8001011234"));
    EXPECT_EQ(studentKey("9001011234"), studentKey("9001011239"));
    EXPECT_NE(studentKey("9001011234"), studentKey("9001011244"));
}

struct LineCase {
    std::string line;
    RosterLine::Kind kind;
    std::string name, className, id;
};

TEST(ParseRosterLine, TakesOnlyLinesWithANameOfFiveAndMoreThanTenCharacters) {
    using K = RosterLine::Kind;
    const LineCase cases[] = {
        {"Namn\tPersonnummer\tKlass", K::Skipped},  // TAB at position 5
        {"Anna\t9001011234\t7A", K::Skipped},       // a four-letter name too
        {"", K::Skipped},
        {"Anna Berg Lindqvist", K::Skipped},  // no TAB
        {"Ann B\t12\t7", K::Skipped},         // ten characters exactly
        {"Ann B\t123\t7A", K::Pupil, "Ann B", "7A", "123"},
        {"  Ann\t9001011234\t7A", K::Pupil, "Ann", "7A"},  // blanks count for the position
        {"Anna Berg\t9001011234\t7a", K::Pupil, "Anna Berg", "7A"},
        {"Åsa Öberg\t9001011234\t  9b  "_cp, K::Pupil, "Åsa Öberg"_cp, "9B"},
        {"Anna Berg\t9001011234\t7A\textra", K::Pupil, "Anna Berg", "7A\tEXTRA"},
        {"Anna Berg \t 19900101-1234 \t 7A", K::Pupil, "Anna Berg", "7A"},
        {"Anna Berg\t9001011234", K::BadFormat},
        {"Anna Berg\t9001011234\t", K::Pupil, "Anna Berg", ""},
        {"Anna Berg\t9001011234 \t", K::Pupil, "Anna Berg", ""},
        {"Anna Berg\t9001011234  ", K::BadFormat},  // the class TAB is trimmed off
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE("line \"" + c.line + "\"");
        RosterLine line = parseRosterLine(c.line);
        EXPECT_EQ(line.kind, c.kind);
        if (c.kind == K::Pupil) {
            EXPECT_EQ(line.name, c.name);
            EXPECT_EQ(line.className, c.className);
            EXPECT_EQ(line.key, studentKey(c.id.empty() ? "9001011234" : c.id));
        }
    }
}

TEST(ClassInFilter, ComparesWholeNamesExactlyAsStored) {
    EXPECT_TRUE(classInFilter("7A", ""));
    EXPECT_TRUE(classInFilter("7A", "7A 7B"));
    EXPECT_TRUE(classInFilter("7B", "7A  7B"));  // "7A, 7B" as the dialog stores it
    EXPECT_FALSE(classInFilter("7A", "7a"));
    EXPECT_FALSE(classInFilter("7", "7A 7B"));
    EXPECT_FALSE(classInFilter("7A 7B", "7A"));
    EXPECT_TRUE(classInFilter("9 X", "7A 9 X"));  // a class with a blank matches as a run
}

// A roster file in a fresh folder, read through the command.
class Roster : public CoreTest {
protected:
    std::string write(const std::string& content, const std::string& name = "elever.txt") {
        return folder.write(name, content);
    }
    std::string names() const {
        std::string all;
        for (int i = 1; i <= app.work.studentCount; ++i) {
            all += app.work.studentTable[i].name + "/" + app.work.studentTable[i].className + ";";
        }
        return all;
    }

    TempFolder folder;
};

TEST_F(Roster, ReadsPupilsInFileOrderWithTheirClassesAndAnyLineEnd) {
    const std::vector<std::string> endings = {"\r\n", "\r", "\n"};
    for (const std::string& end : endings) {
        SCOPED_TRACE(testing::Message() << "line end " << end.size() << " " << int(end.back()));
        app.work.start.studentListPath =
            write("Namn\tPersonnummer\tKlass" + end + "Bo E\t9001011234\t7A" + end +
                  "Anna Berg\t19900101-1234\t7b" + end + end + "Carl Dahl\t0203041234\t7A" + end +
                  "Ulla Ek\t0203041234\t8A");
        app.work.placement[1][2] = 5;
        app.work.studentTable[1].wishes = "GAMMALT";
        EXPECT_TRUE(Hamta_elever(app));
        EXPECT_EQ(app.work.studentCount, 3);
        EXPECT_EQ(names(), "Anna Berg/7B;Carl Dahl/7A;Ulla Ek/8A;");
        EXPECT_EQ(app.work.studentTable[1].key, bytes({32, 42, 43, 55}));
        EXPECT_EQ(app.work.studentTable[1].wishes, "");
        EXPECT_EQ(app.work.placement[1][2], 0);
        EXPECT_EQ(app.work.classCount, 3);
        EXPECT_EQ(app.screen.Combo1.items, (std::vector<std::string>{"7B", "7A", "8A"}));
        EXPECT_EQ(app.screen.Combo1.text, "7B");
    }
}

struct FilterCase {
    std::string filter;
    std::string pupils;
    std::vector<std::string> classes;
};

TEST_F(Roster, KeepsOnlyThePupilsOfTheFilteredClasses) {
    const std::string path = write(
        "Anna Berg\t9001011234\t7a\r\nBo Ekman\t9001011234\t7B\r\nCarl Dahl\t9001011234\t8A\r\n"
        "Dora Falk\t9001011234\t7A\r\n");
    const FilterCase cases[] = {
        {"", "Anna Berg/7A;Bo Ekman/7B;Carl Dahl/8A;Dora Falk/7A;", {"7A", "7B", "8A"}},
        {"7A 7B", "Anna Berg/7A;Bo Ekman/7B;Dora Falk/7A;", {"7A", "7B"}},
        {"7A  7B", "Anna Berg/7A;Bo Ekman/7B;Dora Falk/7A;", {"7A", "7B"}},
        {"8A", "Carl Dahl/8A;", {"8A"}},
        {"7a", "", {}},  // compared as stored, not upper-cased
        {"7", "", {}},
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE("filter \"" + c.filter + "\"");
        app.work.start.studentListPath = path;
        app.work.start.classFilter = c.filter;
        app.screen.Combo1.text = "gammal";
        EXPECT_TRUE(Hamta_elever(app));
        EXPECT_EQ(names(), c.pupils);
        EXPECT_EQ(app.screen.Combo1.items, c.classes);
        EXPECT_EQ(app.screen.Combo1.text, c.classes.empty() ? "" : c.classes[0]);
    }
}

TEST_F(Roster, APupilLineWithOneTabEndsTheProgram) {
    app.work.start.studentListPath =
        write("Anna Berg\t9001011234\t7A\r\nBo Ekman\t9001011234\r\nCarl Dahl\t9001011234\t7A\r\n");
    app.work.start.classFilter = "8A";  // checked before the class filter
    desktop.expectMsgBox("Elevlistan har inte rätt format. Programmet avslutas."_cp, Buttons::Ok,
                         Icon::Critical, "Fel i elevfil", Answer::Ok);
    EXPECT_THROW(Hamta_elever(app), ProgramEnd);
}

TEST_F(Roster, AskForAnotherPathUntilOneOpens) {
    const std::string good = write("Anna Berg\t9001011234\t7A\r\n");
    const std::string missing = folder.path("saknas.txt");
    const std::string alsoMissing = folder.path("saknas ö.txt"_cp);
    app.work.start.studentListPath = missing;
    desktop
        .expectInputBox("Kan ej öppna "_cp + missing + ". Ange ny sökväg."_cp, "Öppna elevlista"_cp,
                        missing, alsoMissing)
        .expectInputBox("Kan ej öppna "_cp + alsoMissing + ". Ange ny sökväg."_cp,
                        "Öppna elevlista"_cp, alsoMissing, good);
    EXPECT_TRUE(Hamta_elever(app));
    EXPECT_EQ(app.work.start.studentListPath, good);
    EXPECT_EQ(app.work.studentCount, 1);
    EXPECT_FALSE(app.work.dirty);  // a new path alone is no change
}

struct GiveUpCase {
    std::string workFilePath;
    std::string message;
};

TEST_F(Roster, GivingUpEndsTheProgramNamingTheWorkFile) {
    const GiveUpCase cases[] = {
        {"", "Redigera vid behov . Programmet avslutas."},
        {"/skola/val.pel", "Redigera vid behov /skola/val.pel. Programmet avslutas."},
    };
    for (const GiveUpCase& c : cases) {
        app.work.workFilePath = c.workFilePath;
        app.work.start.studentListPath = "";
        desktop.expectInputBox("Kan ej öppna . Ange ny sökväg."_cp, "Öppna elevlista"_cp, "", "")
            .expectMsgBox(c.message, Buttons::Ok, Icon::Critical, "Öppna elevlista"_cp, Answer::Ok);
        EXPECT_THROW(Hamta_elever(app), ProgramEnd);
        desktop.verify();
    }
}

TEST_F(Roster, ARelativePathIsLookedUpBesideTheWorkFileFirst) {
    TempFolder current;
    const fs::path before = fs::current_path();
    fs::current_path(current.native());
    folder.write("elever.txt", "Anna Berg\t9001011234\t7A\r\n");
    current.write("elever.txt", "Bo Ekman\t9001011234\t7A\r\n");
    app.work.start.studentListPath = "elever.txt";

    app.work.workFilePath = folder.path("val.pel");
    EXPECT_TRUE(Hamta_elever(app));
    EXPECT_EQ(names(), "Anna Berg/7A;");

    app.work.workFilePath = "";  // New: only the current folder
    EXPECT_TRUE(Hamta_elever(app));
    EXPECT_EQ(names(), "Bo Ekman/7A;");

    app.work.workFilePath = current.path("annan/val.pel");
    EXPECT_TRUE(Hamta_elever(app));
    EXPECT_EQ(names(), "Bo Ekman/7A;");
    EXPECT_EQ(app.work.start.studentListPath, "elever.txt");  // kept as written
    fs::current_path(before);
}

std::string rosterOf(int pupils, int classes) {
    std::string text = "Namn\tPersonnummer\tKlass\r\n";
    for (int i = 0; i < pupils; ++i) {
        text += "Elev nummer " + std::to_string(i) + "\t9001011234\tK" +
                std::to_string(i % classes) + "\r\n";
    }
    return text;
}

struct LimitCase {
    int pupils, classes;
    std::string filter;
    bool read;
    std::string problem;
};

TEST_F(Roster, RefusesMoreThan600PupilsOr50ClassesAndReadsNone) {
    const LimitCase cases[] = {
        {600, 50, "", true, ""},
        {601, 50, "", false,
         "har fler än 600 elever i de klasser som ska läsas in. "
         "Programmet hanterar högst 600 elever."_cp},
        {601, 50, "K1 K2", true, ""},  // only the filtered pupils count
        {51, 51, "", false, "har fler än 50 klasser. Programmet hanterar högst 50 klasser."_cp},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pupils << " pupils, " << c.classes << " classes");
        const std::string path = write(rosterOf(c.pupils, c.classes));
        app.work.start.studentListPath = path;
        app.work.start.classFilter = c.filter;
        app.work.placement[1][1] = 3;
        if (!c.read) {
            desktop.expectMsgBox("Elevlistan "_cp + path + " " + c.problem +
                                     " Inga elever har lästs in. Ange färre klasser under "
                                     "Klasser i startdata."_cp,
                                 Buttons::Ok, Icon::Exclamation, "Öppna elevlista"_cp, Answer::Ok);
        }
        EXPECT_EQ(Hamta_elever(app), c.read);
        desktop.verify();
        if (c.read) {
            EXPECT_GT(app.work.studentCount, 0);
        } else {
            EXPECT_EQ(app.work.studentCount, 0);
            EXPECT_EQ(app.work.classCount, 0);
            EXPECT_TRUE(app.screen.Combo1.items.empty());
            EXPECT_EQ(app.screen.Combo1.text, "");
        }
        EXPECT_EQ(app.work.placement[1][1], 0);
    }
}

}  // namespace
}  // namespace pelora::test
