// The work: the one allocation of pupils to groups that a running Pelora holds, and the run state
// beside it. Fixed-size tables numbered from 1 (row 0 is never used for data); counts say how many
// rows are in use, and rows above a count may hold stale text that is never read.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace pelora {

inline constexpr int MaxStudents = 600;
inline constexpr int MaxGroups = 100;
inline constexpr int MaxPeriods = 10;
inline constexpr int MaxClasses = 50;

struct StartData {
    std::string activity;         // "AKTIVITET:" what the pupils choose groups for
    std::string school;           // "SKOLA:"
    std::string periodLabel;      // "PERIOD:" term or school year ("Period/läsår")
    std::string classFilter;      // "KLASSER:" classes separated by blanks; empty means all
    std::string studentListPath;  // "ELEVLISTA:" the roster file, as the work file holds it
    int periodCount = 1;          // "ANTAL PERIODER:" 1..10
    int showAllPeriods = 0;       // "VISA ALLA PERIODER:" 1 = the board shows every period
    int ignoreWishes = 0;         // "EJ ÖNSKEMÅL:" 1 = placing asks nothing about wishes

    bool operator==(const StartData&) const = default;
};

struct Student {
    std::string name;       // trimmed first roster field
    std::string key;        // four bytes (codes 32..131) derived from the identity number
    std::string className;  // third roster field in NormalizeUpper form
    std::string wishes;     // one group name per line, CR LF between, first line first choice
    // The identity number as the roster gave it, trimmed: kept in memory only, to find the pupil
    // by it in a form's answers. No file is ever written with it.
    std::string identity;
};

struct Group {
    std::string name;        // upper case, no "(", no ","
    std::string staff;       // "Personal"
    std::string maxText;     // "Max antal elever" as typed; NumericValue above 0 is the capacity
    std::string comment;     // "Kommentar"
    std::string periodText;  // the group's period as digits
    double boardLeft = 0;    // label position on the board, in twips
    double boardTop = 0;

    bool operator==(const Group&) const = default;
};

// placement[p][i]: the group of pupil i in period p, 0 when not placed.
using PlacementTable = std::array<std::array<std::int16_t, MaxStudents + 1>, MaxPeriods + 1>;

// What the work file keeps and what is counted from it: the document that display routines only
// read.
struct Work {
    StartData start;

    std::array<Student, MaxStudents + 1> studentTable;
    int studentCount = 0;

    std::array<Group, MaxGroups + 1> groupTable;
    int groupCount = 0;

    std::array<std::string, MaxClasses + 1> classList;
    int classCount = 0;

    PlacementTable placement{};
    std::array<int, MaxGroups + 1> groupMemberCount{};  // placements naming each group
};

// Where the user is in the work and what the program is in the middle of.
struct RunState {
    int currentGroup = 0;       // target of placement and removal
    int currentStudent = 0;     // pupil shown in the wish entry
    int previousStudent = 0;    // pupil shown before, for "Ångra"
    int currentClassIndex = 0;  // the class shown in the class box
    std::string undoWishes;     // the shown pupil's wishes as they were when shown
    int currentPeriod = 1;      // period whose groups the board shows
    int shownPupils = 0;        // how often another pupil was shown: typing for one ends there

    std::filesystem::path workFilePath;     // as the system names it; empty before a save or open
    std::filesystem::path commandLineFile;  // the work named on the command line, until opened
    bool startDataCancelled = false;
    bool manualMissing = false;

    bool wishBoxGuard = false;        // the program is writing the wish box
    bool overviewPickGuard = false;   // a pupil picked in the overview is being shown
    bool firstChangeSeen = false;     // the first stored change of the wish box in this run
    bool showRecursionGuard = false;  // ShowCurrentStudent is setting the class and pupil boxes
};

// The period group g runs in, as the placements index it: its periodText as a whole number, 0 when
// that is no period of the tables.
int groupPeriod(const Work& work, int g);

// Whether a wish line names one of the work's groups.
bool namesAGroup(const Work& work, const std::string& wish);

// The group a wish that names no group most likely means: the group whose base name is at most
// two letters from the wish's, the nearest one, and of equally near ones the first. 0 when the
// wish names a group or none is that near.
int closestGroup(const Work& work, const std::string& wish);

// The capacity of group g: its maxText's value when above 0, otherwise 0 (no limit).
double groupCapacity(const Work& work, int g);

// groupMemberCount of every group recounted from the placements.
void RecountGroupMembers(Work& work);

// Keeps the shown period within 1..periodCount; 1 when it was outside.
void keepPeriodInRange(const Work& work, RunState& run);

}  // namespace pelora
