#include "ui/form1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QVBoxLayout>

#include "base/codec.h"
#include "commands/lifecycle.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/groupboard.h"
#include "ui/proposalpreview.h"
#include "ui/textconv.h"
#include "ui/widgetsync.h"
#include "ui/wishimportpreview.h"

namespace pelora::ui {

namespace {

// The size the window is laid out for; it opens maximized where that does not fit.
constexpr int kDesignedWidth = 1280;
constexpr int kDesignedHeight = 780;

QPushButton* smallButton(const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 12);
    return button;
}

QLabel* panel(int lines) {
    auto* label = plainLabel();
    label->setFrameShape(QFrame::StyledPanel);
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, Qt::white);
    label->setPalette(pal);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(3);
    label->setMinimumHeight(fullTextHeight(label->fontMetrics(), lines) +
                            2 * (label->margin() + label->frameWidth()));
    return label;
}

// A combo box that does not ask for the width of its longest item; the list it opens does.
void narrowCombo(QComboBox* combo, int characters) {
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(characters);
}

// The wish box. While it has the focus the keys that take back and do again belong to its
// typing, not to the edit history: Ctrl+Z and Ctrl+Shift+Z as in any text box, and Ctrl+Y,
// which the history's "Gör om" has as well. As a wish is typed the group names it may become
// are offered: Down picks one, Enter or Tab takes the picked one in place of what was typed on
// the line; Enter with none picked ends the line as always.
class WishBox : public QPlainTextEdit {
public:
    explicit WishBox(const std::vector<std::string>& names)
        : m_names(names), m_completer(new QCompleter(this)) {
        m_completer->setModel(new QStringListModel(m_completer));
        m_completer->setCaseSensitivity(Qt::CaseInsensitive);
        m_completer->setCompletionMode(QCompleter::PopupCompletion);
        m_completer->setWidget(this);
        m_completer->popup()->setObjectName(QStringLiteral("Text2_completions"));
        connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this,
                &WishBox::takeCompletion);
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride &&
            isRedoKey(static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        return QPlainTextEdit::event(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (isRedoKey(event)) {
            redo();
            return;
        }
        QAbstractItemView* popup = m_completer->popup();
        const int key = event->key();
        const bool ends = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab ||
                          key == Qt::Key_Backtab;
        if (popup->isVisible()) {
            // Left to the list: Esc, and Enter or Tab on a picked name.
            if (key == Qt::Key_Escape ||
                (ends && key != Qt::Key_Backtab && popup->currentIndex().isValid())) {
                event->ignore();
                return;
            }
            if (ends) popup->hide();
        }
        QPlainTextEdit::keyPressEvent(event);
        if (ends || event->text().isEmpty() ||
            (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            if (key != Qt::Key_Shift) popup->hide();
            return;
        }
        offerCompletions();
    }

private:
    static bool isRedoKey(const QKeyEvent* event) {
        return event->key() == Qt::Key_Y && event->modifiers() == Qt::ControlModifier;
    }

    // What is typed on the cursor's line before it, without the blanks in front.
    QString typedOnLine() const {
        QTextCursor cursor = textCursor();
        cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
        return cursor.selectedText().trimmed();
    }

    void offerCompletions() {
        if (m_names != m_offered) {
            m_offered = m_names;
            QStringList names;
            for (const std::string& name : m_offered)
                names << toQt(name);
            static_cast<QStringListModel*>(m_completer->model())->setStringList(names);
        }
        const QString typed = typedOnLine();
        QAbstractItemView* popup = m_completer->popup();
        m_completer->setCompletionPrefix(typed);
        const int count = m_completer->completionCount();
        // Nothing to offer, or what is typed is the one name offered.
        if (typed.isEmpty() || count == 0 ||
            (count == 1 &&
             m_completer->currentCompletion().compare(typed, Qt::CaseInsensitive) == 0)) {
            popup->hide();
            return;
        }
        popup->setCurrentIndex(QModelIndex());
        QRect at = cursorRect();
        at.setWidth(popup->sizeHintForColumn(0) + popup->verticalScrollBar()->sizeHint().width());
        m_completer->complete(at);
    }

    // The picked name in place of what was typed on the line, and nothing more.
    void takeCompletion(const QString& name) {
        QTextCursor cursor = textCursor();
        const int end = cursor.position();
        cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
        const QString before = cursor.selectedText();
        qsizetype blanks = 0;
        while (blanks < before.size() && before[blanks].isSpace())
            ++blanks;
        cursor.setPosition(cursor.position() + static_cast<int>(blanks));
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.insertText(name);
        setTextCursor(cursor);
    }

    const std::vector<std::string>& m_names;
    std::vector<std::string> m_offered;
    QCompleter* m_completer;
};

// Ctrl+Z and Ctrl+Y in a one-line field take back its typing while it has some; otherwise they
// reach the work's own "Ångra" and "Gör om", wherever the focus was left (after a dialog it is
// back in the class box).
class WorkUndoThroughFields : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // An editable combo box hands its keys to its line edit itself.
        auto* combo = qobject_cast<QComboBox*>(watched);
        auto* field = combo != nullptr ? combo->lineEdit() : qobject_cast<QLineEdit*>(watched);
        if (field == nullptr || event->type() != QEvent::ShortcutOverride)
            return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        const bool undo = key->matches(QKeySequence::Undo) && !field->isUndoAvailable();
        const bool redo = (key->matches(QKeySequence::Redo) ||
                           (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier)) &&
                          !field->isRedoAvailable();
        if (!undo && !redo) return false;
        event->ignore();
        return true;
    }
};

}  // namespace

Form1::Form1(App& app, QWidget* parent) : QMainWindow(parent), m_app(app) {
    setObjectName(QStringLiteral("Form1"));
    buildMenus();

    auto* central = new QWidget;
    auto* columns = new QHBoxLayout(central);
    // What a wider window gives goes mostly to the board and the member list.
    columns->addWidget(buildWishEntry(), 2);
    columns->addWidget(buildOverview(), 3);
    columns->addWidget(buildGroups(), 7);
    setCentralWidget(central);

    // What a screen reader says where the caption beside a control does not name it.
    describe(Combo1, QStringLiteral("Klass"), QStringLiteral("Klassen vars elever visas"));
    describe(Combo2, QStringLiteral("Elev"), QStringLiteral("Eleven vars önskemål visas"));
    describe(Text2, QStringLiteral("Önskemål"),
             QStringLiteral("Elevens önskemål, ett per rad, det första först"));
    describe(Combo3, QStringLiteral("Visa i översikt"),
             QStringLiteral("Vilka elever översikten visar"));
    describe(List2, QStringLiteral("Översikten"),
             QStringLiteral("Eleverna som visas; markera dem som ska placeras"));
    describe(Text1, QStringLiteral("Sökbegrepp"), QStringLiteral("Text att söka i översikten"));
    describe(List1, QStringLiteral("Grupplista"),
             QStringLiteral("Eleverna i aktuell grupp; markera dem som ska tas bort"));
    describe(Command5, QStringLiteral("Föregående klass"));
    describe(Command6, QStringLiteral("Nästa klass"));
    describe(Command2, QStringLiteral("Föregående elev"));
    describe(Command3, QStringLiteral("Nästa elev"));
    describe(Command10, QStringLiteral("Föregående period"));
    describe(Command9, QStringLiteral("Nästa period"));
    setupFiles();
    setupPupils();
    setupBoard();
    setupGroups();
    auto* undoThrough = new WorkUndoThroughFields(this);
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->installEventFilter(undoThrough);
    for (QComboBox* combo : findChildren<QComboBox*>())
        combo->installEventFilter(undoThrough);
    resize(kDesignedWidth, kDesignedHeight);
    render();
}

Form1::~Form1() {
    // The widgets are destroyed after this window's own part: no more focus reports to it.
    disconnect(qApp, nullptr, this, nullptr);
}

void Form1::buildMenus() {
    QMenuBar* bar = menuBar();
    auto item = [](QMenu* menu, const char* caption, const char* name) {
        return named(menu->addAction(QString::fromUtf8(caption)), name);
    };
    Arkiv = named(bar->addMenu(QStringLiteral("&Arkiv")), "Arkiv");
    Arkiv_Nytt_ = item(Arkiv, "Nytt", "Arkiv_Nytt");
    Arkivoppna_ = item(Arkiv, "Öppna", "Arkivoppna");
    Arkiv_Spara_ = item(Arkiv, "Spara", "Arkiv_Spara");
    Arkivsparasom_ = item(Arkiv, "Spara som...", "Arkivsparasom");
    Arkiv_skrivare_ = item(Arkiv, "Skrivare", "Arkiv_skrivare");
    Arkivskrivut_ = item(Arkiv, "Skriv ut", "Arkivskrivut");
    Arkiv_export_ = item(Arkiv, "Exportera till Lumidor", "Arkiv_export");
    Arkiv_kalkylblad_ = item(Arkiv, "Exportera till kalkylblad...", "Arkiv_kalkylblad");
    red_startdata_ = item(Arkiv, "Redigera startdata", "red_startdata");
    Arkiv_onskemal_ = item(Arkiv, "Läs in önskemål...", "Arkiv_onskemal");
    Arkiv_forslag_ = item(Arkiv, "Föreslå placering...", "Arkiv_forslag");
    // The recent works, shown as they are listed.
    recentSeparator = Arkiv->addSeparator();
    for (std::size_t k = 0; k < Arkiv_senaste_.size(); ++k) {
        Arkiv_senaste_[k] = Arkiv->addAction(QString());
        Arkiv_senaste_[k]->setObjectName(QStringLiteral("Arkiv_senaste_%1").arg(k + 1));
    }
    Arkiv->setToolTipsVisible(true);
    Arkiv->addSeparator();
    Arkivavsluta_ = item(Arkiv, "Avsluta", "Arkivavsluta");

    // Only these two items have shortcuts; the captions name the step they take.
    Redigera = named(bar->addMenu(QStringLiteral("&Redigera")), "Redigera");
    Redigera_angra_ = item(Redigera, "Ångra", "Redigera_angra");
    Redigera_angra_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Redigera_gorom_ = item(Redigera, "Gör om", "Redigera_gorom");
    Redigera_gorom_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    Redigera->addSeparator();
    Redigera_ordna_ = item(Redigera, "Ordna etiketterna", "Redigera_ordna");

    ny_grupp_ = named(bar->addAction(QStringLiteral("Ny grupp")), "ny_grupp");

    Help = named(bar->addMenu(QStringLiteral("Hjälp")), "Help");
    help_about_ = item(Help, "Om programmet", "help_about");
    Helptext_ = item(Help, "Hjälpavsnitt", "Helptext");

    // The group labels' pop-up menu; never in the menu bar.
    H_klick = named(new QMenu(this), "H_klick");
    h_klick_red_ = item(H_klick, "Redigera", "h_klick_red");
    H_klick_tabort_ = item(H_klick, "Ta bort", "H_klick_tabort");
    H_klick_skrivut_ = item(H_klick, "Skriv ut", "H_klick_skrivut");

    connect(Arkivavsluta_, &QAction::triggered, this, &Form1::Arkivavsluta);
    setupOutput();
}

QWidget* Form1::buildWishEntry() {
    MainScreen& s = m_app.screen;
    auto* frame = named(new QGroupBox(QStringLiteral("Elever")), "FrameElever");
    auto* grid = new QGridLayout(frame);
    Combo1 = m_controls.bind(new QComboBox, "Combo1", s.Combo1);
    Combo2 = m_controls.bind(new QComboBox, "Combo2", s.Combo2);
    for (QComboBox* combo : {Combo1, Combo2}) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMaxVisibleItems(25);
    }
    // Wide enough for a class, and for a pupil's whole name.
    narrowCombo(Combo1, 4);
    narrowCombo(Combo2, 12);
    fitRowsToCapitals(Combo1);
    fitRowsToCapitals(Combo2);
    Command5 = m_controls.bind(smallButton(QStringLiteral("<")), "Command5", s.Command5);
    Command6 = m_controls.bind(smallButton(QStringLiteral(">")), "Command6", s.Command6);
    Command2 = m_controls.bind(smallButton(QStringLiteral("<")), "Command2", s.Command2);
    Command3 = m_controls.bind(smallButton(QStringLiteral(">")), "Command3", s.Command3);
    Text2 = m_controls.bind(new WishBox(s.groupNames), "Text2", s.Text2);
    Text2->setTabChangesFocus(true);
    Text2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Command4 = m_controls.bind(new QPushButton(QStringLiteral("Ångra")), "Command4", s.Command4);

    grid->addWidget(plainLabel(QStringLiteral("Klass")), 0, 0);
    grid->addWidget(Combo1, 0, 1);
    grid->addWidget(Command5, 0, 2);
    grid->addWidget(Command6, 0, 3);
    grid->addWidget(plainLabel(QStringLiteral("Elev")), 1, 0);
    grid->addWidget(Combo2, 1, 1);
    grid->addWidget(Command2, 1, 2);
    grid->addWidget(Command3, 1, 3);
    grid->addWidget(plainLabel(QStringLiteral("Önskemål")), 2, 0, 1, 4);
    grid->addWidget(Text2, 3, 0, 1, 4);
    // Room for two lines kept, so that the wish box does not jump as a hint comes and goes.
    auto* wishHint = m_controls.bind(plainLabel(), "wishHint", s.wishHint);
    wishHint->setWordWrap(true);
    wishHint->setMinimumHeight(fullTextHeight(wishHint->fontMetrics(), 2));
    wishHint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(wishHint, 4, 0, 1, 4);
    grid->addWidget(Command4, 5, 0, 1, 4, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    return frame;
}

QWidget* Form1::buildOverview() {
    MainScreen& s = m_app.screen;
    auto* frame = named(new QGroupBox(QStringLiteral("Översikten")), "FrameOversikten");
    auto* grid = new QGridLayout(frame);
    Combo3 = m_controls.bind(new QComboBox, "Combo3", s.Combo3);
    Combo3->setEditable(true);
    Combo3->setInsertPolicy(QComboBox::NoInsert);
    narrowCombo(Combo3, 12);
    fitRowsToCapitals(Combo3);
    Check3 =
        m_controls.bind(new QCheckBox(QStringLiteral("Visa bara oplacerade")), "Check3", s.Check3);
    List2 = m_controls.bind(new QListWidget, "List2", s.List2);
    List2->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List2->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    fitRowsToCapitals(List2);
    Label11 = m_controls.bind(plainLabel(), "Label11", s.Label11);
    Text1 = m_controls.bind(new QLineEdit, "Text1", s.Text1);
    Command8 = m_controls.bind(new QPushButton(QStringLiteral("Sök")), "Command8", s.Command8);
    Check2 = m_controls.bind(new QCheckBox(QStringLiteral("Matcha hela ord")), "Check2", s.Check2);
    Command7 = m_controls.bind(new QPushButton(QStringLiteral("Placera i aktuell grupp")),
                               "Command7", s.Command7);
    Command7->setToolTip(QStringLiteral("Placera alla/markerade elever i aktuell grupp"));

    auto* criterion = new QHBoxLayout;
    criterion->addWidget(plainLabel(QStringLiteral("Visa i översikt")));
    criterion->addWidget(Combo3, 1);
    grid->addLayout(criterion, 0, 0, 1, 3);
    grid->addWidget(Check3, 1, 0, 1, 3);
    grid->addWidget(List2, 2, 0, 1, 3);
    grid->addWidget(Label11, 3, 0, 1, 3);
    grid->addWidget(plainLabel(QStringLiteral("Sökbegrepp")), 4, 0);
    grid->addWidget(Text1, 4, 1);
    grid->addWidget(Command8, 4, 2);
    grid->addWidget(Check2, 5, 1, 1, 2);
    grid->addWidget(Command7, 6, 0, 1, 3);
    grid->addWidget(named(plainLabel(QStringLiteral("* placerad i annan grupp")), "LegendOther"), 7,
                    0, 1, 3);
    grid->addWidget(
        named(plainLabel(QStringLiteral("+ placerad i aktuell grupp")), "LegendCurrent"), 8, 0, 1,
        3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    return frame;
}

QWidget* Form1::buildGroups() {
    MainScreen& s = m_app.screen;
    auto* frame = named(new QGroupBox(QStringLiteral("Grupper")), "FrameGrupper");
    Picture1 = new GroupBoard;
    // The board scrolls where the window is small and grows where it is large.
    auto* boardArea = named(new QScrollArea, "boardArea");
    boardArea->setFrameShape(QFrame::NoFrame);
    // The board takes the focus and the arrow keys itself; its view only scrolls.
    boardArea->setFocusPolicy(Qt::NoFocus);
    Picture1->placeIn(boardArea);
    boardArea->setMinimumSize(120, 100);
    List1 = m_controls.bind(new QListWidget, "List1", s.List1);
    List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List1->setMinimumWidth(List1->fontMetrics().averageCharWidth() * 24);
    fitRowsToCapitals(List1);
    Command1 = m_controls.bind(new QPushButton(QStringLiteral("Ta bort markerade")), "Command1",
                               s.Command1);
    Command1->setToolTip(QStringLiteral("Ta bort markerade elever i aktuell grupp"));
    groupData = m_controls.bind(panel(3), "groupData", s.groupData);
    status = m_controls.bind(panel(3), "status", s.status);
    // A narrow window wraps the status lines rather than cutting them.
    status->setWordWrap(true);
    groupData->setWordWrap(true);
    periodCaption =
        m_controls.bind(plainLabel(QStringLiteral("Period")), "periodCaption", s.periodCaption);
    Command10 = m_controls.bind(smallButton(QStringLiteral("<")), "Command10", s.Command10);
    periodDisplay = m_controls.bind(panel(1), "periodDisplay", s.periodDisplay);
    periodDisplay->setAlignment(Qt::AlignCenter);
    periodDisplay->setFixedWidth(
        periodDisplay->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
    Command9 = m_controls.bind(smallButton(QStringLiteral(">")), "Command9", s.Command9);
    Check1 = m_controls.bind(new QCheckBox(QStringLiteral("För in grupper i Önskemål")), "Check1",
                             s.Check1);

    auto* stepper = new QHBoxLayout;
    stepper->addWidget(Command10);
    stepper->addWidget(periodDisplay);
    stepper->addWidget(Command9);
    stepper->addStretch(1);

    // The board with what describes it on the left, the member list and the controls of the
    // shown period on the right.
    auto* left = new QVBoxLayout;
    left->addWidget(boardArea, 1);
    left->addWidget(plainLabel(QStringLiteral("Gruppdata")));
    left->addWidget(groupData);
    left->addWidget(plainLabel(QStringLiteral("Status")));
    left->addWidget(status);

    auto* right = new QVBoxLayout;
    right->addWidget(plainLabel(QStringLiteral("Grupplista")));
    right->addWidget(List1, 1);
    right->addWidget(Command1);
    right->addSpacing(8);
    right->addWidget(periodCaption);
    right->addLayout(stepper);
    right->addSpacing(8);
    right->addWidget(Check1);

    auto* columns = new QHBoxLayout(frame);
    columns->addLayout(left, 3);
    columns->addLayout(right, 1);
    return frame;
}

int Form1::designedWidth() const {
    return kDesignedWidth;
}

void Form1::showAtStart() {
    // Never larger than the screen: the board fits whatever room is left.
    if (const QScreen* shown = screen())
        resize(size().boundedTo(shown->availableGeometry().size()));
    if (m_app.screen.startMaximized) {
        showMaximized();
    } else {
        show();
    }
}

void Form1::render() {
    const MainScreen& s = m_app.screen;
    const QString caption = toQt(s.caption);
    if (windowTitle() != caption) setWindowTitle(caption);

    m_controls.render();
    Picture1->render(m_app);

    renderPupils();
    renderBoard();
    renderOpenWindows();
    renderGroups();
    renderFiles();

    // A request for a dialog's field is left for that dialog.
    if (m_app.screen.focusRequest == Focus::WishBox) {
        Text2->setFocus();
        m_app.screen.focusRequest = Focus::None;
    }
}

void Form1::run(const std::string& title, const std::function<void()>& operation) {
    if (m_running == 0) readOpenWindows();
    ++m_running;
    try {
        runGuarded(m_app.desktop, title, operation);
    } catch (const ProgramEnd&) {
        --m_running;
        endProgram();
        return;
    }
    --m_running;
    keepRecentWorks();
    if (m_running == 0) scheduleCopy();
    if (m_running == 0 && m_activationPending) {
        m_activationPending = false;
        activated();
        return;
    }
    render();
}

DialogView::Runner Form1::runner() {
    return [this](const std::string& title, const std::function<void()>& operation) {
        run(title, operation);
    };
}

void Form1::showDialog(Dialog dialog) {
    render();
    switch (dialog) {
        case Dialog::StartData:
            if (!m_form3) m_form3 = new Form3(m_app, runner(), this);
            m_form3->present();
            break;
        case Dialog::GroupEditor:
            if (!m_form2) m_form2 = new Form2(m_app, runner(), this);
            m_form2->present();
            break;
        case Dialog::Proposal:
            if (!m_proposal) m_proposal = new ProposalPreview(m_app, runner(), this);
            m_proposal->present();
            break;
        case Dialog::WishImport:
            if (!m_wishImport) m_wishImport = new WishImportPreview(m_app, runner(), this);
            m_wishImport->present();
            break;
        case Dialog::PrintDialog:
        case Dialog::HelpWindow:
        case Dialog::HelpPopup:
            // Not modal, or (the popup) closed back into the dialog whose "Hjälp" opened it:
            // this window is not active again.
            showOutputDialog(dialog);
            return;
    }
    // A modeless window stays open beside the main window, which was never left.
    if (!pelora::isModal(dialog)) return;
    m_activationPending = true;
    if (m_running == 0) {
        m_activationPending = false;
        activated();
    }
}

void Form1::endProgram() {
    m_ending = true;
    if (m_programEnd) {
        m_programEnd();
    } else {
        QApplication::closeAllWindows();
        QApplication::quit();
    }
}

void Form1::activated() {
    run("", [this] { Form_Activate(m_app); });
}

void Form1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        activated();
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    if (m_ending) {
        event->accept();
        return;
    }
    bool cancel = false;
    run("Avsluta", [this, &cancel] { Form_QueryUnload(m_app, cancel); });
    if (m_ending) {
        event->accept();
        return;
    }
    if (cancel) {
        event->ignore();
        return;
    }
    event->accept();
    endProgram();
}

void Form1::Arkivavsluta() {
    bool end = false;
    run("Avsluta", [this, &end] { end = pelora::Arkivavsluta(m_app); });
    if (end && !m_ending) endProgram();
}

}  // namespace pelora::ui
