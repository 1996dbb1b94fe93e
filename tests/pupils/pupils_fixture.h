// A small work built in memory for the wish entry and the overview: pupils with their classes
// and wishes, groups with their periods, placements, and keystrokes into the wish box.
#pragma once

#include <string>
#include <vector>

#include "core_fixture.h"
#include "pupils/text.h"
#include "pupils/wishes.h"
#include "work/lifecycle.h"
#include "work/numbers.h"

namespace pelora::test {

class PupilsTest : public CoreTest {
protected:
    int addGroup(const std::string& name, const std::string& period = "1") {
        const int g = ++app.work.groupCount;
        app.work.groupTable[g] = {name, "", "", "", period};
        return g;
    }

    // A pupil at the end of the roster; a class met for the first time joins the class list.
    int addPupil(const std::string& name, const std::string& className,
                 const std::string& wishes = "") {
        Work& work = app.work;
        const int i = ++work.studentCount;
        work.studentTable[i] = {name, "K" + std::to_string(i), className, wishes};
        bool known = false;
        for (int c = 1; c <= work.classCount; ++c)
            known = known || work.classList[c] == className;
        if (!known) work.classList[++work.classCount] = className;
        return i;
    }

    // The pupil in group g, in g's own period.
    void place(int i, int g) {
        app.work.placement[numericInteger(app.work.groupTable[g].periodText)][i] =
            static_cast<std::int16_t>(g);
    }

    // The criterion box filled as the window's activation fills it, showing "Alla".
    void activate() { Form_Activate(app); }

    void show(int i) {
        app.work.currentStudent = i;
        ShowCurrentStudent(app);
    }

    // What a user types into the wish box, one stroke at a time: '\n' is Enter (a line break),
    // '\b' is Backspace (which takes a whole line break). Each stroke is one change of the box.
    void type(const std::string& keys) {
        for (char key : keys) {
            std::string& box = app.screen.Text2.text;
            if (key == '\n') {
                box += CRLF;
            } else if (key == '\b') {
                if (box.empty()) continue;  // nothing to delete: the box does not change
                const bool lineBreak = box.size() >= 2 && box.compare(box.size() - 2, 2, CRLF) == 0;
                box.erase(box.size() - (lineBreak ? 2 : 1));
            } else {
                box += key;
            }
            StoreWishText(app);
        }
    }

    // The pupil numbers the overview lists, top to bottom.
    std::vector<int> listed() const {
        std::vector<int> pupils;
        for (const ListLine& line : app.screen.List2.lines)
            pupils.push_back(line.itemData);
        return pupils;
    }

    std::vector<std::string> overviewLines() const {
        std::vector<std::string> lines;
        for (const ListLine& line : app.screen.List2.lines)
            lines.push_back(line.text);
        return lines;
    }
};

}  // namespace pelora::test
