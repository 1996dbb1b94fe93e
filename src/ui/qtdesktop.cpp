#include "ui/qtdesktop.h"

#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "ui/qtprinter.h"
#include "ui/textconv.h"

namespace pelora::ui {

namespace {

const char* kAnswerProperty = "peloraAnswer";

QMessageBox::Icon qtIcon(Desktop::Icon icon) {
    switch (icon) {
        case Desktop::Icon::Critical:
            return QMessageBox::Critical;
        case Desktop::Icon::Question:
            return QMessageBox::Question;
        case Desktop::Icon::Exclamation:
            return QMessageBox::Warning;
        case Desktop::Icon::Information:
            return QMessageBox::Information;
        case Desktop::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QtDesktop::QtDesktop() = default;
QtDesktop::~QtDesktop() = default;

std::unique_ptr<QMessageBox> QtDesktop::buildMessageBox(const std::string& text, Buttons buttons,
                                                        Icon icon, const std::string& title,
                                                        QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(qtIcon(icon), toQt(title), toQtLines(text),
                                             QMessageBox::NoButton, parent);
    box->setTextFormat(Qt::PlainText);
    auto add = [&box](const char* caption, QMessageBox::ButtonRole role, Answer answer) {
        QPushButton* button = box->addButton(QString::fromUtf8(caption), role);
        button->setProperty(kAnswerProperty, static_cast<int>(answer));
        return button;
    };
    QPushButton* first = nullptr;
    QPushButton* escape = nullptr;
    switch (buttons) {
        case Buttons::Ok:
            first = escape = add("OK", QMessageBox::AcceptRole, Answer::Ok);
            break;
        case Buttons::OkCancel:
            first = add("OK", QMessageBox::AcceptRole, Answer::Ok);
            escape = add("Avbryt", QMessageBox::RejectRole, Answer::Cancel);
            break;
        case Buttons::YesNo:
            first = add("Ja", QMessageBox::YesRole, Answer::Yes);
            escape = add("Nej", QMessageBox::NoRole, Answer::No);
            break;
        case Buttons::YesNoCancel:
            first = add("Ja", QMessageBox::YesRole, Answer::Yes);
            add("Nej", QMessageBox::NoRole, Answer::No);
            escape = add("Avbryt", QMessageBox::RejectRole, Answer::Cancel);
            break;
    }
    box->setDefaultButton(first);
    box->setEscapeButton(escape);
    return box;
}

Desktop::Answer QtDesktop::answerOf(QMessageBox& box) {
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked) clicked = box.escapeButton();
    return static_cast<Answer>(clicked->property(kAnswerProperty).toInt());
}

Desktop::Answer QtDesktop::MsgBox(const std::string& text, Buttons buttons, Icon icon,
                                  const std::string& title) {
    auto box = buildMessageBox(text, buttons, icon, title, m_parent);
    box->exec();
    return answerOf(*box);
}

std::unique_ptr<QInputDialog> QtDesktop::buildInputBox(const std::string& prompt,
                                                       const std::string& title,
                                                       const std::string& defaultText,
                                                       QWidget* parent) {
    auto dialog = std::make_unique<QInputDialog>(parent);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setWindowTitle(toQt(title));
    dialog->setLabelText(toQtLines(prompt));
    if (auto* label = dialog->findChild<QLabel*>()) label->setTextFormat(Qt::PlainText);
    dialog->setTextValue(toQt(defaultText));
    dialog->setOkButtonText(QStringLiteral("OK"));
    dialog->setCancelButtonText(QStringLiteral("Avbryt"));
    return dialog;
}

std::string QtDesktop::InputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    auto dialog = buildInputBox(prompt, title, defaultText, m_parent);
    if (dialog->exec() != QDialog::Accepted) return std::string();
    return fromQt(dialog->textValue());
}

QString qtFilter(const std::string& filter) {
    if (filter.empty()) return QString();
    const QStringList parts = toQt(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QStringLiteral(")");
    }
    return filters.join(QStringLiteral(";;"));
}

QString withDefaultExtension(const QString& path, const std::string& extension) {
    if (path.isEmpty() || extension.empty()) return path;
    if (!QFileInfo(path).suffix().isEmpty()) return path;
    QString ext = toQt(extension);
    if (ext.startsWith(QLatin1Char('.'))) ext.remove(0, 1);
    return path + QLatin1Char('.') + ext;
}

namespace {

// A file dialog with every text in Swedish: Qt's own catalogue leaves some of them in English.
std::optional<QString> runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode,
                                     const FileDialogRequest& request) {
    const bool save = mode == QFileDialog::AcceptSave;
    QFileDialog dialog(parent, save ? QStringLiteral("Spara som") : QStringLiteral("Öppna"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The program asks about replacing a file itself where it should.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.filter.empty()) dialog.setNameFilter(qtFilter(request.filter));
    if (!request.initialName.empty()) dialog.selectFile(fromPath(request.initialName));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Leta i:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Filnamn:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Filer av typen:"));
    dialog.setLabelText(QFileDialog::Accept,
                        save ? QStringLiteral("Spara") : QStringLiteral("Öppna"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Avbryt"));
    dialog.resize(dialog.sizeHint().expandedTo(QSize(760, 480)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty()) return std::nullopt;
    return path;
}

}  // namespace

std::optional<std::filesystem::path> QtDesktop::OpenFileDialog(const FileDialogRequest& request) {
    std::optional<QString> path = runFileDialog(m_parent, QFileDialog::AcceptOpen, request);
    if (!path) return std::nullopt;
    return toPath(*path);
}

std::optional<std::filesystem::path> QtDesktop::SaveFileDialog(const FileDialogRequest& request) {
    std::optional<QString> path = runFileDialog(m_parent, QFileDialog::AcceptSave, request);
    if (!path) return std::nullopt;
    return toPath(withDefaultExtension(*path, request.defaultExtension));
}

void QtDesktop::ShowDialog(Dialog dialog) {
    if (m_dialogs) m_dialogs(dialog);
}

void QtDesktop::PrinterSetup() {
    if (!m_printer) m_printer = std::make_unique<QtPrinter>();
    m_printer->setup(m_parent);
}

Printer& QtDesktop::printer() {
    if (!m_printer) m_printer = std::make_unique<QtPrinter>();
    return *m_printer;
}

Date QtDesktop::today() {
    QDate date = QDate::currentDate();
    return Date{date.year(), date.month(), date.day()};
}

std::optional<std::filesystem::path> QtDesktop::FolderDialog(const std::filesystem::path& start) {
    QFileDialog dialog(m_parent, QStringLiteral("Välj mapp"), fromPath(start));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Leta i:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Mapp:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Välj"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Avbryt"));
    dialog.resize(dialog.sizeHint().expandedTo(QSize(760, 480)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return toPath(dialog.selectedFiles().constFirst());
}

}  // namespace pelora::ui
