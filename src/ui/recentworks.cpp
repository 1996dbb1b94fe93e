#include "ui/recentworks.h"

#include <QSettings>
#include <QStringList>

#include "commands/opensave.h"
#include "ui/textconv.h"

namespace pelora::ui {

namespace {

const char* const kKey = "senasteArbeten";

}  // namespace

std::vector<std::filesystem::path> loadRecentWorks() {
    std::vector<std::filesystem::path> works;
    const QSettings settings(QStringLiteral("Pelora"), QStringLiteral("Pelora"));
    for (const QString& path : settings.value(QLatin1String(kKey)).toStringList()) {
        if (!path.isEmpty() && works.size() < kRecentFiles) works.push_back(toPath(path));
    }
    return works;
}

void saveRecentWorks(const std::vector<std::filesystem::path>& works) {
    QStringList paths;
    for (const std::filesystem::path& path : works)
        paths << fromPath(path);
    QSettings settings(QStringLiteral("Pelora"), QStringLiteral("Pelora"));
    settings.setValue(QLatin1String(kKey), paths);
}

}  // namespace pelora::ui
