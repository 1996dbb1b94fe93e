// Form1, the main window: the wish entry "Elever", the overview "Översikten" and the groups
// "Grupper" with the board, under the menus. A thin view: every handler hands its event to
// the core and then renders the screen state.
#pragma once

#include <QMainWindow>
#include <QPointF>
#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commands/app.h"
#include "commands/board.h"
#include "commands/opensave.h"
#include "ui/dialogview.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace pelora::ui {

class Form2;
class Form3;
class Form4;
class Form6;
class Form7;
class ProposalPreview;
class WishImportPreview;
class GroupBoard;

class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(App& app, QWidget* parent = nullptr);
    ~Form1() override;

    // Copies the screen state into the widgets.
    void render();

    // Runs a core operation under the guard titled for it, then renders. A ProgramEnd ends the
    // program without the save question.
    void run(const std::string& title, const std::function<void()>& operation);

    // The system ends the program (SIGTERM): no questions, the unsaved changes copied first.
    void endForTheSystem();
    // The session is ending: the unsaved changes copied, in case the program gets no chance later.
    void copyBeforeLogout();

    // What "end the program" does; the application quits by default.
    void setProgramEnd(std::function<void()> end) { m_programEnd = std::move(end); }

    // The main window became the active window of the program (first shown, a dialog closed).
    void activated();

    // Shows one of the program's dialogs (created on first use, hidden afterwards). After a
    // modal one the main window counts as activated again when the command that showed it has
    // finished; a modeless one leaves the main window as it is.
    void showDialog(Dialog dialog);

    // How long until the automatic copy of unsaved changes is written; nothing while none is due.
    std::optional<std::chrono::milliseconds> copyDueIn() const;

    // The width the window is designed for, in pixels, before any resizing.
    int designedWidth() const;
    // Shows the window at the start, maximized where the screen is hardly wider than designed.
    void showAtStart();

    QMenu* popupMenu() const { return H_klick; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    QWidget* buildWishEntry();
    QWidget* buildOverview();
    QWidget* buildGroups();
    void endProgram();
    // What a dialog runs its handlers through: this window's run.
    DialogView::Runner runner();

    // Menu "Arkiv".
    void Arkiv_Nytt();
    void Arkivoppna();
    void Arkiv_Spara();
    void Arkivsparasom();
    void red_startdata();
    void Arkivavsluta();

    // --- the wish entry and the overview (frames "Elever", "Översikten") ---
    void setupPupils();
    void renderPupils();
    void Combo1_Change();
    void Combo1_Click();
    void Combo2_Change();
    void Combo2_Click();
    void Command5_Click();
    void Command6_Click();
    void Command2_Click();
    void Command3_Click();
    void Text2_Change();
    void focusMoved(QWidget* old, QWidget* now);
    void Text2_LostFocus();
    void Command4_Click();
    void List1_Click();
    void Combo3_Change();
    void Combo3_Click();
    void Check3_Click();
    void Check2_Click();
    void Text1_Change();
    void Text1_KeyPress();
    void Command8_Click();
    void List2_Click();

    // --- the groups (frame "Grupper", the board) ---
    void setupBoard();
    void renderBoard();
    void Label1_MouseDown(int g, Qt::MouseButton button, QPointF position);
    void Label1_Drop(int g, QPoint globalPosition);

    void Label1_DblClick(int g);
    // Space, Enter and the menu key on the board's focused label: a press, a double-click, a
    // press of the right button.
    void Label1_Key(int g, Qt::Key key);
    // A press as the mouse makes it, less the drag; what became of it.
    LabelPress pressLabel(int g, Qt::MouseButton button, QPointF position);

    // --- the group editor, placing by the buttons, the proposal ---
    void setupGroups();
    void renderGroups();

    // --- work files and start data, the recent works, the automatic copy ---
    void setupFiles();
    void renderFiles();
    // The recent works written to the settings when a command changed them.
    void keepRecentWorks();
    // The automatic copy written when it is due; the timer set for the next one.
    void scheduleCopy();
    void autosaveTimeout();

    // --- printing, the export and help ---
    void setupOutput();
    void Arkiv_skrivare();
    void Arkivskrivut();
    void Arkiv_export();
    void Arkiv_kalkylblad();
    void H_klick_skrivut();
    void Helptext();
    void help_about();
    // The print dialog, the help window and the help popup, created on first use.
    void showOutputDialog(Dialog dialog);
    // The windows that stay open beside this one: what the user typed there is read before a
    // command runs (not again inside it, while a modal dialog keeps the user out of them), and
    // they are rendered after it.
    void readOpenWindows();
    void renderOpenWindows();

    App& m_app;
    std::function<void()> m_programEnd;
    bool m_ending = false;
    bool m_shownOnce = false;
    bool m_activationPending = false;
    int m_running = 0;
    bool m_focusInWishBox = false;  // the wish box was the last control of this window in focus
    Form2* m_form2 = nullptr;       // the group editor, created on first use
    Form3* m_form3 = nullptr;       // the start data dialog, created on first use
    Form4* m_form4 = nullptr;       // the print dialog, not modal
    Form6* m_form6 = nullptr;       // the help window, not modal
    Form7* m_form7 = nullptr;       // the help popup
    ProposalPreview* m_proposal = nullptr;      // the proposal's preview, created on first use
    WishImportPreview* m_wishImport = nullptr;  // the preview of a form's answers, the same
    QTimer* m_autosave = nullptr;
    std::vector<std::filesystem::path> m_recentKept;  // as the settings hold them
    Bindings m_controls;  // the controls below, each bound to its field of the screen state

    // Menus.
    QMenu* Arkiv = nullptr;
    QAction* Arkiv_Nytt_ = nullptr;
    QAction* Arkivoppna_ = nullptr;
    QAction* Arkiv_Spara_ = nullptr;
    QAction* Arkivsparasom_ = nullptr;
    QAction* Arkiv_skrivare_ = nullptr;
    QAction* Arkivskrivut_ = nullptr;
    QAction* Arkiv_export_ = nullptr;
    QAction* Arkiv_kalkylblad_ = nullptr;
    QAction* red_startdata_ = nullptr;
    QAction* Arkiv_forslag_ = nullptr;
    QAction* Arkiv_onskemal_ = nullptr;
    QAction* recentSeparator = nullptr;
    std::array<QAction*, kRecentFiles> Arkiv_senaste_{};  // "&1 name.pel" ... while listed
    QAction* Arkivavsluta_ = nullptr;
    QMenu* Redigera = nullptr;
    QAction* Redigera_angra_ = nullptr;
    QAction* Redigera_gorom_ = nullptr;
    QAction* Redigera_ordna_ = nullptr;
    QAction* ny_grupp_ = nullptr;
    QMenu* Help = nullptr;
    QAction* help_about_ = nullptr;
    QAction* Helptext_ = nullptr;
    QMenu* H_klick = nullptr;
    QAction* h_klick_red_ = nullptr;
    QAction* H_klick_tabort_ = nullptr;
    QAction* H_klick_skrivut_ = nullptr;

    // Frame "Elever".
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QPushButton* Command4 = nullptr;

    // Frame "Översikten".
    QComboBox* Combo3 = nullptr;
    QCheckBox* Check3 = nullptr;
    QListWidget* List2 = nullptr;
    QLabel* Label11 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command8 = nullptr;
    QCheckBox* Check2 = nullptr;
    QPushButton* Command7 = nullptr;

    // Frame "Grupper".
    GroupBoard* Picture1 = nullptr;
    QListWidget* List1 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* groupData = nullptr;
    QLabel* periodCaption = nullptr;
    QPushButton* Command10 = nullptr;
    QLabel* periodDisplay = nullptr;
    QPushButton* Command9 = nullptr;
    QLabel* status = nullptr;
    QCheckBox* Check1 = nullptr;
};

}  // namespace pelora::ui
