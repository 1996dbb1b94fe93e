#include "ui/textconv.h"

#include <QFile>
#include <QList>

#include "base/codec.h"
#include "base/text.h"

namespace pelora::ui {

QString toQt(const std::string& cp1252) {
    QString result;
    result.reserve(static_cast<qsizetype>(cp1252.size()));
    for (char c : cp1252) {
        result.append(QChar(static_cast<char16_t>(cp1252ToUnicode(static_cast<unsigned char>(c)))));
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

std::filesystem::path toPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString fromPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
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
