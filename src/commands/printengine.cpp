#include "commands/printengine.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "base/codec.h"
#include "base/files.h"
#include "base/heap.h"
#include "base/numbers.h"
#include "base/text.h"
#include "commands/printearlier.h"

namespace pelora {

namespace fs = std::filesystem;

const char* const kPrintTitle = "Skriv ut";

namespace {

const char* const kFont = "Times New Roman";
// A pupil's wish list shows this many wishes at most.
constexpr std::size_t kWishesShown = 10;
// Wish lists have at least this many columns.
constexpr int kFewestWishColumns = 3;

// The lists of one run, page by page.
class Lists {
public:
    Lists(App& app, const PrintSelection& selection) : m_page(app), m_selection(selection) {}

    void run() {
        App& app = m_page.app();
        const Work& work = m_page.work();
        for (int c = 1; c <= work.classCount; ++c) {
            if (m_selection.selects(m_selection.wishClasses, work.classList[c])) {
                guardedStep(app, [&] { wishList(work.classList[c]); });
            }
        }
        if (m_selection.printsEarlier()) printEarlierPlacements(m_page, m_selection);
        for (int p = 1; p <= work.start.periodCount && p <= MaxPeriods; ++p) {
            if (!m_selection.selectsPeriod(p)) continue;
            for (int c = 1; c <= work.classCount; ++c) {
                if (m_selection.selects(m_selection.classes, work.classList[c])) {
                    guardedStep(app, [&] { classList(work.classList[c], p); });
                }
            }
            for (int g = 1; g <= work.groupCount; ++g) {
                if (groupPeriod(work, g) == p &&
                    m_selection.selects(m_selection.groups, work.groupTable[g].name)) {
                    guardedStep(app, [&] { groupList(g, p); });
                }
            }
            if (m_selection.notPlaced) guardedStep(app, [&] { notPlacedList(p); });
        }
        guardedStep(app, [&] { finish(m_page.printer().endDoc()); });
    }

private:
    // A PDF is saved as the file chosen for the run, a full disk told like any failed save.
    void finish(const PrintedDocument& document) {
        App& app = m_page.app();
        if (!document.problem.empty()) printError(app, document.problem);
        if (!document.pdf) return;
        const fs::path& path = app.form4.pdfFile;
        const SaveResult saved = saveFile(app.files, path, *document.pdf);
        if (!saved) printError(app, cannotSave(path, saved));
    }

    // Each wish line by its base name, so that a note on one line cuts off only that line; at
    // least as many columns as an earlier page of the run had.
    void wishList(const std::string& className) {
        const Work& work = m_page.work();
        ListLayout& lines = m_page.lines();
        m_page.header(PageWriter::Kind::Wishes, 0,
                      work.start.activity + ", önskemål "_cp + className);
        lines.endLine();
        m_page.body();
        lines.setFontSize(10);

        std::vector<std::vector<std::string>> wishes;
        for (int i = 1; i <= work.studentCount; ++i) {
            if (work.studentTable[i].className != className) continue;
            std::vector<std::string> own;
            const std::string text = CleanLines(work.studentTable[i].wishes);
            for (std::size_t start = 0;
                 start <= text.size() && !text.empty() && own.size() < kWishesShown;) {
                std::size_t end = text.find(CRLF, start);
                if (end == std::string::npos) end = text.size();
                own.push_back(trimBlanks(BaseName(text.substr(start, end - start))));
                start = end + 2;
            }
            m_wishColumns = std::max(m_wishColumns, static_cast<int>(own.size()));
            wishes.push_back(std::move(own));
        }
        m_wishColumns = std::max(m_wishColumns, kFewestWishColumns);
        const double page = lines.pageWidth();
        const double width = column::kWishesWidth * page / m_wishColumns;

        std::size_t row = 0;
        for (int i = 1; i <= work.studentCount; ++i) {
            if (work.studentTable[i].className != className) continue;
            m_page.at(column::kLeft, work.studentTable[i].name);
            const std::vector<std::string>& own = wishes[row++];
            for (std::size_t k = 0; k < static_cast<std::size_t>(m_wishColumns); ++k) {
                lines.setCurrentX(column::kWishes * page + static_cast<double>(k) * width);
                lines.print(lines.cut(k < own.size() ? own[k] : std::string(), width));
            }
            lines.endLine();
        }
        m_page.endList();
    }

    // Each column cut to the room before the next, so that a long group name is never printed
    // over the staff.
    void classList(const std::string& className, int p) {
        const Work& work = m_page.work();
        m_page.header(PageWriter::Kind::PerPeriod, p, work.start.activity + "    " + className);
        m_page.lines().endLine();
        m_page.body();
        m_page.lines().setFontSize(12);
        for (int i = 1; i <= work.studentCount; ++i) {
            if (work.studentTable[i].className != className) continue;
            const int g = work.placement[p][i];
            const bool placed = g >= 1 && g <= MaxGroups;
            m_page.at(column::kLeft, column::kClassNameWidth, work.studentTable[i].name);
            m_page.at(column::kClassGroup, column::kClassGroupWidth,
                      placed ? work.groupTable[g].name : std::string());
            m_page.at(column::kClassStaff, column::kClassStaffWidth,
                      placed ? work.groupTable[g].staff : std::string());
            m_page.lines().endLine();
        }
        m_page.endList();
    }

    void groupList(int g, int p) {
        const Work& work = m_page.work();
        ListLayout& lines = m_page.lines();
        const Group& group = work.groupTable[g];
        m_page.header(PageWriter::Kind::PerPeriod, p, work.start.activity + "   " + group.name);
        lines.setFontSize(14);
        m_page.at(column::kLeft, group.staff);
        lines.endLine();
        lines.endLine();
        m_page.body();
        pupilLines(p, g);
    }

    void notPlacedList(int p) {
        const Work& work = m_page.work();
        m_page.header(PageWriter::Kind::PerPeriod, p, work.start.activity + ", ej placerade");
        m_page.lines().endLine();
        m_page.body();
        pupilLines(p, 0);
    }

    // The pupils placed in group g in period p (0: in none), class and name, and their count.
    void pupilLines(int p, int g) {
        const Work& work = m_page.work();
        ListLayout& lines = m_page.lines();
        lines.setFontSize(12);
        int count = 0;
        for (int i = 1; i <= work.studentCount; ++i) {
            if (work.placement[p][i] != g) continue;
            m_page.at(column::kLeft,
                      work.studentTable[i].className + "  " + work.studentTable[i].name);
            lines.endLine();
            ++count;
        }
        m_page.countLine(count);
        m_page.endList();
    }

    PageWriter m_page;
    const PrintSelection& m_selection;
    int m_wishColumns = 0;
};

}  // namespace

void printError(App& app, const std::string& description) {
    app.desktop.MsgBox("Fel vid utskrift\r\n" + description, Desktop::Buttons::Ok,
                       Desktop::Icon::Exclamation, kPrintTitle);
}

void guardedStep(App& app, const std::function<void()>& step) {
    try {
        step();
    } catch (const ProgramEnd&) {
        throw;
    } catch (const std::exception& error) {
        printError(app, utf8ToCp1252(error.what()));
    }
}

PageWriter::PageWriter(App& app)
    : m_app(app), m_work(app.work), m_printer(app.desktop.printer()), m_lines(m_printer) {
    const Date today = app.desktop.today();
    char date[16];
    std::snprintf(date, sizeof date, "%02d-%02d-%04d", today.day, today.month, today.year);
    m_date = date;
}

void PageWriter::at(double where, const std::string& text) {
    m_lines.setCurrentX(where * W());
    m_lines.print(text);
}

void PageWriter::at(double where, double width, const std::string& text) {
    at(where, m_lines.cut(text, width * W()));
}

void PageWriter::header(Kind kind, int period, const std::string& title) {
    const StartData& start = m_work.start;
    m_lines.begin();
    m_lines.setFontName(kFont);
    m_lines.setFontSize(12);
    m_lines.endLine();
    m_lines.sheetTop();
    at(column::kLeft, start.school);
    at(column::kDate, m_date);
    m_lines.endLine();
    switch (kind) {
        case Kind::Wishes:
            at(column::kLeft, start.periodLabel);
            m_lines.endLine();
            m_lines.endLine();
            m_lines.endLine();
            break;
        case Kind::Earlier:
            m_lines.endLine();
            m_lines.endLine();
            break;
        case Kind::PerPeriod:
            at(column::kLeft, start.periodLabel + "  ");
            if (start.periodCount > 1) {
                m_lines.print("Period " + plainNumber(period));
                m_lines.endLine();
            }
            m_lines.endLine();
            m_lines.endLine();
            break;
    }
    m_lines.title();
    m_lines.setFontSize(16);
    at(column::kLeft, title);
    m_lines.endLine();
}

void PageWriter::countLine(int count) {
    m_lines.endLine();
    at(column::kLeft, "Antal: " + fileNumber(count));
    m_lines.endLine();
}

void PageWriter::endList() {
    m_lines.printSheets({m_work.start.school, m_date});
}

void printDocument(App& app, const PrintSelection& selection) {
    const LargeHeapSteps heap;
    Lists(app, selection).run();
}

}  // namespace pelora
