// The one crossing between the core's Windows-1252 text and Qt's strings.
#pragma once

#include <QString>
#include <filesystem>
#include <string>

namespace pelora::ui {

// Exact both ways for every byte; a character Windows-1252 cannot hold becomes "?". A name's
// escape (base/codec.h) is shown as its character.
QString toQt(const std::string& cp1252);
std::string fromQt(const QString& text);

// For what is typed to find a pupil by name (the pupil box, the overview's search): a character
// the code page cannot hold becomes an escape, as in the names read from a roster. Such text is
// compared with names only, never stored.
std::string fromQtAsWritten(const QString& text);

// Paths as the system names them, never through Windows-1252.
std::filesystem::path toPath(const QString& path);
QString fromPath(const std::filesystem::path& path);

// For widgets that break lines with LF (labels, the wish box): CR LF in the core, LF in Qt.
QString toQtLines(const std::string& cp1252);
std::string fromQtLines(const QString& text);

}  // namespace pelora::ui
