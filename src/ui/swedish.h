// The program speaks Swedish whatever the system's language: the Swedish locale for dates and
// sizes, Qt's Swedish catalogues for its own dialogs where they are installed, and the few of
// Qt's texts those catalogues leave in English where the program shows them.
#pragma once

#include <QString>
#include <QStringList>

namespace pelora::ui {

// Sets the Swedish locale and installs Qt's Swedish catalogues found in `translations` (Qt's
// translations folder by default); returns how many were found. Without them the program runs
// all the same, with most of Qt's own texts in English. The numbers the program reads and writes
// keep their own rules; the locale does not touch them.
int speakSwedish(const QString& translations = QString());

// The texts of Qt the program gives in Swedish itself, each as "context|source".
QStringList qtTextsGivenInSwedish();

// The program as the system knows it: the names its settings and data folder follow, the desktop
// entry and icon its windows are shown with, and its language.
void introduceTheProgram();

}  // namespace pelora::ui
