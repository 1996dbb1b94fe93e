#include "ui/swedish.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>

namespace pelora::ui {

namespace {

struct Text {
    const char* context;
    const char* source;
    const char* swedish;
};

// Qt's texts that its Swedish catalogue leaves in English where this program shows them: the
// file dialog's folder view, tool buttons and menus, the edit menu of the wish box, the standard
// buttons, and the printer dialog with its options and the printer's properties.
const Text kTexts[] = {
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
    {"QFileDialog", "Are you sure you want to delete '%1'?", "Vill du verkligen ta bort \"%1\"?"},
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
    {"QPlatformTheme", "OK", "OK"},
    {"QPlatformTheme", "Cancel", "Avbryt"},
    // The printer dialog ("Skrivare").
    {"QPrintDialog", "&Print", "Skriv &ut"},
    {"QPrintDialog", "&Options >>", "&Alternativ >>"},
    {"QPrintDialog", "&Options <<", "&Alternativ <<"},
    {"QPrintDialog", "Print to File (PDF)", "Skriv ut till fil (PDF)"},
    {"QPrintDialog", "Print To File ...", "Skriv ut till fil"},
    {"QPrintDialog", "Local file", "Lokal fil"},
    {"QPrintDialog", "Write PDF file", "Skriv PDF-fil"},
    {"QPrintDialog", "All Pages", "Alla sidor"},
    {"QPrintDialog", "Odd Pages", "Udda sidor"},
    {"QPrintDialog", "Even Pages", "Jämna sidor"},
    {"QPrintDialog", "%1 is a directory.\nPlease choose a different file name.",
     "%1 är en mapp.\nVälj ett annat filnamn."},
    {"QPrintDialog", "%1 already exists.\nDo you want to overwrite it?",
     "%1 finns redan.\nVill du ersätta den?"},
    {"QPrintDialog", "File %1 is not writable.\nPlease choose a different file name.",
     "Det går inte att skriva till %1.\nVälj ett annat filnamn."},
    {"QPrintDialog",
     "Options 'Pages Per Sheet' and 'Page Set' cannot be used together.\nPlease turn one "
     "of those options off.",
     "Sidor per ark och Sidurval kan inte användas samtidigt.\nStäng av ett av dem."},
    {"QPrintDialog", "Duplex Settings Conflicts", "Dubbelsidig utskrift går inte"},
    {"QPrintDialog", "There are conflicts in duplex settings. Do you want to fix them?",
     "Inställningarna för dubbelsidig utskrift står i strid med varandra. Vill du rätta "
     "dem?"},
    {"QPrintDialog", "Left to Right, Top to Bottom", "Vänster till höger, uppifrån och ned"},
    {"QPrintDialog", "Left to Right, Bottom to Top", "Vänster till höger, nedifrån och upp"},
    {"QPrintDialog", "Right to Left, Bottom to Top", "Höger till vänster, nedifrån och upp"},
    {"QPrintDialog", "Right to Left, Top to Bottom", "Höger till vänster, uppifrån och ned"},
    {"QPrintDialog", "Bottom to Top, Left to Right", "Nedifrån och upp, vänster till höger"},
    {"QPrintDialog", "Bottom to Top, Right to Left", "Nedifrån och upp, höger till vänster"},
    {"QPrintDialog", "Top to Bottom, Left to Right", "Uppifrån och ned, vänster till höger"},
    {"QPrintDialog", "Top to Bottom, Right to Left", "Uppifrån och ned, höger till vänster"},
    {"QPrintWidget", "&Name:", "&Namn:"},
    {"QPrintWidget", "P&roperties", "&Egenskaper"},
    {"QPrintWidget", "Location:", "Plats:"},
    {"QPrintWidget", "Type:", "Typ:"},
    {"QPrintWidget", "Output &file:", "&Fil:"},
    {"QPrintWidget", "Preview", "Förhandsgranskning"},
    {"QPrintSettingsOutput", "Copies:", "Antal kopior:"},
    {"QPrintSettingsOutput", "Reverse", "Omvänd ordning"},
    {"QPrintSettingsOutput", "Options", "Alternativ"},
    {"QPrintSettingsOutput", "Color Mode", "Färgläge"},
    {"QPrintSettingsOutput", "Color", "Färg"},
    {"QPrintSettingsOutput", "Grayscale", "Gråskala"},
    {"QPrintSettingsOutput", "Double Sided Printing", "Dubbelsidig utskrift"},
    {"QPrintSettingsOutput", "Off", "Av"},
    {"QPrintSettingsOutput", "Long side binding", "Bindning längs långsidan"},
    {"QPrintSettingsOutput", "Short side binding", "Bindning längs kortsidan"},
    {"QPrintSettingsOutput", "Output Settings", "Utskrift"},
    {"QPrintSettingsOutput", "Page Set:", "Sidurval:"},
    {"QPrintSettingsOutput", "Pages", "Sidor"},
    {"QPrintSettingsOutput", "Current Page", "Aktuell sida"},
    {"QPrintPropertiesDialog", "Printer Properties", "Skrivarens egenskaper"},
    {"QPrintPropertiesDialog", "Job Options", "Utskriftsjobb"},
    {"QPrintPropertiesWidget", "Page", "Sida"},
    {"QPrintPropertiesWidget", "Advanced", "Avancerat"},
    {"QPrintPropertiesWidget", "There are conflicts in some options. Please fix them.",
     "Några alternativ står i strid med varandra. Rätta dem."},
    {"QPageSetupWidget", "Paper", "Papper"},
    {"QPageSetupWidget", "Width:", "Bredd:"},
    {"QPageSetupWidget", "Height:", "Höjd:"},
    {"QPageSetupWidget", "Custom", "Egen storlek"},
    {"QPageSetupWidget", "Orientation", "Orientering"},
    {"QPageSetupWidget", "Reverse landscape", "Liggande, upp och ned"},
    {"QPageSetupWidget", "Reverse portrait", "Stående, upp och ned"},
    {"QPageSetupWidget", "Margins", "Marginaler"},
    {"QPageSetupWidget", "top margin", "övre marginal"},
    {"QPageSetupWidget", "bottom margin", "nedre marginal"},
    {"QPageSetupWidget", "left margin", "vänster marginal"},
    {"QPageSetupWidget", "right margin", "höger marginal"},
    {"QPageSetupWidget", "Page Layout", "Sidlayout"},
    {"QPageSetupWidget", "Page order:", "Sidordning:"},
    {"QPageSetupWidget", "Pages per sheet:", "Sidor per ark:"},
    {"QPageSetupWidget", "Millimeters (mm)", "Millimeter (mm)"},
    {"QPageSetupWidget", "Inches (in)", "Tum (in)"},
    {"QPageSetupWidget", "Points (pt)", "Punkter (pt)"},
    {"QCupsJobWidget", "Job", "Jobb"},
    {"QCupsJobWidget", "Job Control", "Jobbet"},
    {"QCupsJobWidget", "Scheduled printing:", "Skrivs ut:"},
    {"QCupsJobWidget", "Print Immediately", "Genast"},
    {"QCupsJobWidget", "Hold Indefinitely", "Vänta tills vidare"},
    {"QCupsJobWidget", "Day (06:00 to 17:59)", "På dagen (06.00–17.59)"},
    {"QCupsJobWidget", "Night (18:00 to 05:59)", "På natten (18.00–05.59)"},
    {"QCupsJobWidget", "Second Shift (16:00 to 23:59)", "Andra skiftet (16.00–23.59)"},
    {"QCupsJobWidget", "Third Shift (00:00 to 07:59)", "Tredje skiftet (00.00–07.59)"},
    {"QCupsJobWidget", "Weekend (Saturday to Sunday)", "I helgen (lördag–söndag)"},
    {"QCupsJobWidget", "Specific Time", "Vid en viss tid"},
    {"QCupsJobWidget", "Billing information:", "Debitering:"},
    {"QCupsJobWidget", "Job priority:", "Prioritet:"},
    {"QCupsJobWidget", "Banner Pages", "Försättsblad"},
    {"QCupsJobWidget", "Start:", "Före:"},
    {"QCupsJobWidget", "End:", "Efter:"},
    {"QCupsJobWidget", "None", "Inget"},
    {"QCupsJobWidget", "Standard", "Standard"},
    {"QCupsJobWidget", "Unclassified", "Oklassificerat"},
    {"QCupsJobWidget", "Confidential", "Konfidentiellt"},
    {"QCupsJobWidget", "Classified", "Klassificerat"},
    {"QCupsJobWidget", "Secret", "Hemligt"},
    {"QCupsJobWidget", "Top Secret", "Kvalificerat hemligt"},
};

// Gives the texts of kTexts to Qt.
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override {
        if (!context || !source) return QString();
        for (const Text& text : kTexts) {
            if (std::strcmp(text.context, context) == 0 && std::strcmp(text.source, source) == 0)
                return QString::fromUtf8(text.swedish);
        }
        return QString();
    }
};

}  // namespace

QStringList qtTextsGivenInSwedish() {
    QStringList texts;
    for (const Text& text : kTexts)
        texts << QString::fromLatin1(text.context) + u'|' + QString::fromLatin1(text.source);
    return texts;
}

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

void introduceTheProgram() {
    QCoreApplication::setOrganizationName(QStringLiteral("Pelora"));
    QCoreApplication::setApplicationName(QStringLiteral("Pelora"));
    // The installed desktop entry names the windows of the running program too. Their icon is
    // the program's own, built in: the same picture as the installed one, found without a look
    // through the icon theme and its image plugins.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.pelora.Pelora"));
    QIcon icon;
    for (const int size : {32, 64, 128})
        icon.addFile(QStringLiteral(":/pelora/icons/pelora-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    speakSwedish();
}

}  // namespace pelora::ui
