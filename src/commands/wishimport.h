// Wishes from the answers of a form the pupils filled in: a CSV file or a workbook with a row per
// pupil, the pupil found by identity number or by name and class, and the wishes in one column or
// in one column per rank. A preview shows what would be read before anything changes; what is
// read is one step of the edit history.
#pragma once

#include <string>
#include <vector>

#include "commands/app.h"

namespace pelora {

// The title of the import's messages, its preview and its step in the history.
extern const std::string kWishImportTitle;

// Which columns of the answers hold what; 0-based columns, -1 for none.
struct AnswerColumns {
    int identity = -1;
    int name = -1;  // or the first and the last name together
    int firstName = -1, lastName = -1;
    int className = -1;
    std::vector<int> wishes;  // one: every wish in it; more: one wish each, first choice first
};

// The columns the headings name: "Personnummer", "Namn" (or "Förnamn" and "Efternamn"),
// "Klass", and "Val 1", "Val 2", ... or "1:a val", ... in rank order, or else one column of
// "Önskemål" or "Val".
AnswerColumns guessAnswerColumns(const std::vector<std::string>& headings);

// What the answers would give the pupils of the work.
struct AnswerReading {
    struct Row {
        int row;                          // 1-based row of the file
        std::vector<int> pupils;          // the pupils it may be: none, one, or several
        std::vector<std::string> wishes;  // in the stored form, first choice first
        std::string who;                  // the pupil as the row names them
    };
    std::vector<Row> rows;  // every row with answers, in file order
    // The row read for each pupil: the last of the rows that name only that pupil.
    std::vector<std::pair<int, const Row*>> read() const;
};

AnswerReading readAnswers(const Work& work, const std::vector<std::vector<std::string>>& rows,
                          const AnswerColumns& columns);

// The identity number as the answers and the roster are compared: its digits without the
// century, and a 0 back in front of nine digits.
std::string comparableIdentity(const std::string& number);

// "Arkiv" → "Läs in önskemål...": the file, then the preview; "Läs in" stores the wishes.
void Arkiv_onskemal(App& app);

namespace form9 {

// A column box changed: the preview is made again.
void Combo_Click(App& app);
// "Läs in"
void Command1_Click(App& app);
// "Avbryt", also the window's close box and Esc.
void Command2_Click(App& app);

}  // namespace form9

}  // namespace pelora
