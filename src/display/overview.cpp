#include "display/overview.h"

#include "base/codec.h"
#include "base/numbers.h"
#include "base/text.h"

namespace pelora {

const std::string kOverviewTitle = "Visa översikten"_cp;

namespace {

enum class Criterion {
    All,
    NoChoice,
    NotPlaced,
    NotPlacedInPeriod,
    WishedCurrentGroup,
    CurrentGroupFirst,
    CurrentGroupLater,
    FirstChoiceMissed,
    Search,
    Unknown,
};

Criterion criterionOf(const std::string& item) {
    static const std::pair<std::string, Criterion> known[] = {
        {"Alla", Criterion::All},
        {"Ej gjort val", Criterion::NoChoice},
        {"Ej placerade", Criterion::NotPlaced},
        {"Ej placerade vald period", Criterion::NotPlacedInPeriod},
        {"Önskat aktuell grupp"_cp, Criterion::WishedCurrentGroup},
        {"Aktuell grupp som 1:a-val", Criterion::CurrentGroupFirst},
        {"Aktuell grupp som >1:a-val", Criterion::CurrentGroupLater},
        {"Ej fått 1:a-val"_cp, Criterion::FirstChoiceMissed},
        {"Enligt sökbegrepp"_cp, Criterion::Search},
    };
    for (const auto& [text, criterion] : known) {
        if (text == item) return criterion;
    }
    return Criterion::Unknown;
}

// The item of the criterion box whose text, in any case, is the typed one.
const std::string* chosenCriterion(const ComboBox& box) {
    const std::string typed = NormalizeUpper(box.text);
    for (const std::string& item : box.items) {
        if (NormalizeUpper(item) == typed) return &item;
    }
    return nullptr;
}

// The group a placement names, 0 for none or a number outside the table.
int placedGroup(const Work& work, int period, int i) {
    if (period < 1 || period > MaxPeriods) return 0;
    const int g = work.placement[period][i];
    return g >= 1 && g <= MaxGroups ? g : 0;
}

bool namesNoGroup(const Work& work, const std::string& wishes) {
    for (int g = 1; g <= work.groupCount; ++g) {
        if (FindWish(wishes, work.groupTable[g].name) > 0) return false;
    }
    return true;
}

// Placed in period 1, but not in any group of the first wish's base name.
bool missedFirstChoice(const Work& work, int i) {
    const std::string& wishes = work.studentTable[i].wishes;
    int first = 0;
    for (int g = 1; g <= work.groupCount && first == 0; ++g) {
        if (FindWish(wishes, work.groupTable[g].name) == 1) first = g;
    }
    if (first == 0) return false;
    const int placed = placedGroup(work, 1, i);
    if (placed == 0) return false;
    return BaseName(work.groupTable[placed].name) != BaseName(work.groupTable[first].name);
}

// The search term as the three patterns it is looked for with.
struct SearchPatterns {
    bool everyone = false;
    std::string inName, inNameBeforeComma, inWishLine;

    SearchPatterns(const std::string& searchText, bool wholeWords) {
        const std::string term = NormalizeUpper(searchText);
        everyone = term.empty();
        if (wholeWords) {
            inName = " " + term + " ";
            inNameBeforeComma = " " + term + ",";
            inWishLine = "\n" + term + "\r";
        } else {
            inName = inNameBeforeComma = inWishLine = term;
        }
    }

    bool match(const Student& pupil) const {
        if (everyone) return true;
        const std::string name = NormalizeUpper(pupil.name);
        const std::string className = NormalizeUpper(pupil.className);
        return (" " + name + " ").find(inName) != std::string::npos ||
               (" " + name + ",").find(inNameBeforeComma) != std::string::npos ||
               (" " + className + " ").find(inName) != std::string::npos ||
               ("\n" + NormalizeUpper(pupil.wishes) + "\r").find(inWishLine) != std::string::npos;
    }
};

void selectPupils(View view, Criterion criterion) {
    const Work& work = view.work;
    MainScreen& screen = view.screen;
    const int current = view.run.currentGroup;
    const int cg = current >= 1 && current <= MaxGroups ? current : 0;
    const std::string currentName = cg > 0 ? work.groupTable[cg].name : std::string();
    const SearchPatterns search(screen.Text1.text, screen.Check2.value == 1);

    for (int i = 1; i <= work.studentCount; ++i) {
        const std::string& wishes = work.studentTable[i].wishes;
        bool listed = false;
        switch (criterion) {
            case Criterion::All:
                listed = true;
                break;
            case Criterion::NoChoice:
                listed = namesNoGroup(work, wishes);
                break;
            case Criterion::NotPlaced:
                listed = work.placement[1][i] == 0;
                break;
            case Criterion::NotPlacedInPeriod:
                listed = placedGroup(work, view.run.currentPeriod, i) == 0;
                break;
            case Criterion::WishedCurrentGroup:
                listed = cg > 0 && FindWish(wishes, currentName) > 0;
                break;
            case Criterion::CurrentGroupFirst:
                listed = cg > 0 && FindWish(wishes, currentName) == 1;
                break;
            case Criterion::CurrentGroupLater:
                listed = cg > 0 && FindWish(wishes, currentName) > 3;
                break;
            case Criterion::FirstChoiceMissed:
                listed = missedFirstChoice(work, i);
                break;
            case Criterion::Search:
                listed = search.match(work.studentTable[i]);
                break;
            case Criterion::Unknown:
                break;
        }
        screen.overviewSelection[static_cast<std::size_t>(i)] = listed;
    }
}

}  // namespace

void RefreshOverview(View view) {
    runGuarded(view.desktop, kOverviewTitle, [view] {
        const Work& work = view.work;
        const RunState& run = view.run;
        MainScreen& screen = view.screen;
        const std::string* item = chosenCriterion(screen.Combo3);
        if (item == nullptr) return;
        const Criterion criterion = criterionOf(*item);

        selectPupils(view, criterion);

        if (screen.Check3.value == 1) {
            for (int i = 1; i <= work.studentCount; ++i) {
                if (placedGroup(work, run.currentPeriod, i) > 0) {
                    screen.overviewSelection[static_cast<std::size_t>(i)] = false;
                }
            }
        }

        ListBox& list = screen.List2;
        list.clear();
        for (int i = 1; i <= work.studentCount; ++i) {
            if (!screen.overviewSelection[static_cast<std::size_t>(i)]) continue;
            const int g = placedGroup(work, run.currentPeriod, i);
            const char* marker = g == 0 ? "   " : g == run.currentGroup ? "+ " : "* ";
            const Student& pupil = work.studentTable[i];
            list.addItem(marker + pupil.className + " " + pupil.name, i);
        }
        screen.Label11.caption = plainNumber(static_cast<int>(list.lines.size())) + " elev(er)";
    });
}

}  // namespace pelora
