#include "ui/swedish.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>

namespace pelora::ui {

namespace {

// Qt's texts that its Swedish catalogue leaves in English where this program shows them: the
// file dialog's folder view, tool buttons and menus, and the edit menu of the wish box.
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override {
        struct Text {
            const char* context;
            const char* source;
            const char* swedish;
        };
        static const Text texts[] = {
            {"QFileSystemModel", "Computer", "Dator"},
            {"QFileSystemModel", "Invalid filename", "Ogiltigt filnamn"},
            {"QAbstractFileIconProvider", "Folder", "Mapp"},
            {"QAbstractFileIconProvider", "File", "Fil"},
            {"QAbstractFileIconProvider", "%1 File", "%1-fil"},
            {"QAbstractFileIconProvider", "Drive", "Enhet"},
            {"QAbstractFileIconProvider", "Shortcut", "Genväg"},
            {"QFileDialog", "Go back", "Bakåt"},
            {"QFileDialog", "Go forward", "Framåt"},
            {"QFileDialog", "Go to the parent directory", "Till överordnad mapp"},
            {"QFileDialog", "Create a New Folder", "Skapa en ny mapp"},
            {"QFileDialog", "Change to list view mode", "Visa som lista"},
            {"QFileDialog", "Change to detail view mode", "Visa med detaljer"},
            {"QFileDialog", "&New Folder", "&Ny mapp"},
            {"QFileDialog", "&Choose", "&Välj"},
            {"QFileDialog", "Remove", "Ta bort"},
            {"QFileDialog", "Delete", "Ta bort"},
            {"QFileDialog", "Are you sure you want to delete '%1'?",
             "Vill du verkligen ta bort \"%1\"?"},
            {"QFileDialog", "Recent Places", "Senaste platser"},
            {"QFileDialog", "Sidebar", "Sidopanel"},
            {"QFileDialog", "List of places and bookmarks", "Platser och bokmärken"},
            {"QFileDialog", "Files", "Filer"},
            {"QWidgetTextControl", "&Undo", "&Ångra"},
            {"QWidgetTextControl", "&Redo", "&Gör om"},
            {"QWidgetTextControl", "Cu&t", "Klipp &ut"},
            {"QWidgetTextControl", "&Copy", "&Kopiera"},
            {"QWidgetTextControl", "&Paste", "Klistra &in"},
            {"QWidgetTextControl", "Delete", "Ta bort"},
            {"QWidgetTextControl", "Select All", "Markera alla"},
            {"QWidgetTextControl", "Copy &Link Location", "Kopiera &länkadress"},
        };
        if (!context || !source) return QString();
        for (const Text& text : texts) {
            if (std::strcmp(text.context, context) == 0 && std::strcmp(text.source, source) == 0)
                return QString::fromUtf8(text.swedish);
        }
        return QString();
    }
};

}  // namespace

int speakSwedish(const QString& translations) {
    const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
    QLocale::setDefault(swedish);
    // Installed first, so that a catalogue that has these texts is asked before it.
    QCoreApplication::installTranslator(new MissingQtTexts(QCoreApplication::instance()));
    const QString folder =
        translations.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : translations;
    int found = 0;
    // qtbase_sv where Qt ships it; qt_sv is the catalogue Debian has.
    for (const char* name : {"qtbase", "qt"}) {
        auto* catalogue = new QTranslator(QCoreApplication::instance());
        if (catalogue->load(swedish, QString::fromLatin1(name), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(catalogue);
            ++found;
        } else {
            delete catalogue;
        }
    }
    return found;
}

}  // namespace pelora::ui
