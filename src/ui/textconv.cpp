#include "ui/textconv.h"

#include <QFile>
#include <QList>

#include "base/codec.h"
#include "base/text.h"

namespace pelora::ui {

QString toQt(const std::string& cp1252) {
    QString result;
    result.reserve(static_cast<qsizetype>(cp1252.size()));
    for (std::size_t i = 0; i < cp1252.size();) {
        const Character c = characterAt(cp1252, i);
        if (QChar::requiresSurrogates(c.codePoint)) {
            result.append(QChar(QChar::highSurrogate(c.codePoint)));
            result.append(QChar(QChar::lowSurrogate(c.codePoint)));
        } else {
            result.append(QChar(static_cast<char16_t>(c.codePoint)));
        }
        i += c.length;
    }
    return result;
}

std::string fromQt(const QString& text) {
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (uint cp : text.toUcs4()) {
        int byte = unicodeToCp1252(cp);
        result.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return result;
}

std::string fromQtAsWritten(const QString& text) {
    return codePointsAsWritten(text.toStdU32String());
}

// Windows names its files in UTF-16, which QString holds as it is; elsewhere the file system's
// bytes are what Qt's file name encoding makes of them.
std::filesystem::path toPath(const QString& path) {
#if defined(_WIN32)
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QString fromPath(const std::filesystem::path& path) {
#if defined(_WIN32)
    return QString::fromStdWString(path.wstring());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
#endif
}

QString toQtLines(const std::string& cp1252) {
    return toQt(replaceAll(cp1252, "\r\n", "\n"));
}

std::string fromQtLines(const QString& text) {
    QString lines = text;
    lines.replace(QChar::ParagraphSeparator, QChar('\n'));
    lines.replace(QChar::LineSeparator, QChar('\n'));
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return replaceAll(fromQt(lines), "\n", "\r\n");
}

}  // namespace pelora::ui
