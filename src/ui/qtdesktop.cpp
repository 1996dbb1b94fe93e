#include "ui/qtdesktop.h"

#include <QDate>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QTreeView>

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
                                                        QWidget* parent,
                                                        std::optional<Answer> defaultAnswer) {
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
    for (QAbstractButton* button : box->buttons()) {
        if (defaultAnswer &&
            button->property(kAnswerProperty).toInt() == static_cast<int>(*defaultAnswer))
            box->setDefaultButton(qobject_cast<QPushButton*>(button));
    }
    box->setEscapeButton(escape);
    return box;
}

Desktop::Answer QtDesktop::answerOf(QMessageBox& box) {
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked) clicked = box.escapeButton();
    return static_cast<Answer>(clicked->property(kAnswerProperty).toInt());
}

Desktop::Answer QtDesktop::MsgBox(const std::string& text, Buttons buttons, Icon icon,
                                  const std::string& title, std::optional<Answer> defaultAnswer) {
    auto box = buildMessageBox(text, buttons, icon, title, m_parent, defaultAnswer);
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

// The folder view's size and date in the program's Swedish, where the file system model would
// write them in the system's language: "12,5 KB", "2026-03-01 12:00".
class SwedishFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (files && role == Qt::DisplayRole && index.isValid()) {
            const QFileInfo info = files->fileInfo(mapToSource(index));
            if (index.column() == kSizeColumn) {
                return info.isDir() ? QString()
                                    : QLocale().formattedDataSize(
                                          info.size(), 1, QLocale::DataSizeTraditionalFormat);
            }
            if (index.column() == kDateColumn)
                return QLocale().toString(info.lastModified(), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }

    static constexpr int kSizeColumn = 1;
    static constexpr int kTypeColumn = 2;
    static constexpr int kDateColumn = 3;
};

}  // namespace

std::unique_ptr<QFileDialog> QtDesktop::buildFileDialog(bool save, const FileDialogRequest& request,
                                                        QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(
        parent, save ? QStringLiteral("Spara som") : QStringLiteral("Öppna"));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    // The program asks about replacing a file itself where it should.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.filter.empty()) dialog->setNameFilter(qtFilter(request.filter));
    if (!request.initialName.empty()) dialog->selectFile(fromPath(request.initialName));
    // Qt's catalogue leaves these in English.
    dialog->setLabelText(QFileDialog::LookIn, QStringLiteral("Leta i:"));
    dialog->setLabelText(QFileDialog::FileName, QStringLiteral("Filnamn:"));
    dialog->setLabelText(QFileDialog::FileType, QStringLiteral("Filer av typen:"));
    dialog->setLabelText(QFileDialog::Accept,
                         save ? QStringLiteral("Spara") : QStringLiteral("Öppna"));
    dialog->setLabelText(QFileDialog::Reject, QStringLiteral("Avbryt"));
    dialog->setProxyModel(new SwedishFileColumns(dialog.get()));

    // The details, each column as wide as what it shows; the name takes the rest.
    dialog->setViewMode(QFileDialog::Detail);
    int columns = 0;
    if (auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = view->header();
        const QFontMetrics metrics(view->font());
        const QLocale locale;
        const int padding = 4 * metrics.averageCharWidth();  // the cell margins
        auto fit = [&](int column, std::initializer_list<QString> samples) {
            int width = header->sectionSizeHint(column);
            for (const QString& sample : samples)
                width = std::max(width, metrics.horizontalAdvance(sample) + padding);
            header->resizeSection(column, width);
            columns += width;
        };
        fit(SwedishFileColumns::kSizeColumn,
            {locale.formattedDataSize(999'900'000, 1, QLocale::DataSizeTraditionalFormat)});
        // The work file, the roster and the export are plain text to the system.
        const QMimeDatabase types;
        fit(SwedishFileColumns::kTypeColumn,
            {types.mimeTypeForName(QStringLiteral("text/plain")).comment(),
             types.mimeTypeForName(QStringLiteral("inode/directory")).comment()});
        fit(SwedishFileColumns::kDateColumn,
            {locale.toString(QDateTime(QDate(2026, 12, 28), QTime(23, 59)), QLocale::ShortFormat)});
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    const int sidebar = 160, name = 280, margins = 80;
    dialog->resize(dialog->sizeHint().expandedTo(QSize(sidebar + name + columns + margins, 480)));
    return dialog;
}

namespace {

std::optional<QString> runFileDialog(QWidget* parent, bool save, const FileDialogRequest& request) {
    auto dialog = QtDesktop::buildFileDialog(save, request, parent);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog->selectedFiles().constFirst();
    if (path.isEmpty()) return std::nullopt;
    return path;
}

}  // namespace

std::optional<std::filesystem::path> QtDesktop::OpenFileDialog(const FileDialogRequest& request) {
    std::optional<QString> path = runFileDialog(m_parent, false, request);
    if (!path) return std::nullopt;
    return toPath(*path);
}

std::optional<std::filesystem::path> QtDesktop::SaveFileDialog(const FileDialogRequest& request) {
    std::optional<QString> path = runFileDialog(m_parent, true, request);
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
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    return Date{date.year(), date.month(), date.day(), now.time().hour(), now.time().minute()};
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
