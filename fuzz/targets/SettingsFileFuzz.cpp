// Reads any bytes as the settings file, then changes one key as the program does when the
// language is switched: every other value must read back as it was before.
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include "FuzzInput.h"
#include "Recorders.h"
#include "config/SettingsStore.h"
#include "config/TextTable.h"

using namespace trevalon;

namespace {

bool sameExceptLanguage(const Settings& a, const Settings& b) {
    return a.warnBeforeDelete == b.warnBeforeDelete && a.wo == b.wo && a.showHints == b.showHints &&
           a.logLevel == b.logLevel && a.schemaShowsVariables == b.schemaShowsVariables &&
           a.createLogFiles == b.createLogFiles && a.projectsFolder == b.projectsFolder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const TextTable texts;
    static QTemporaryDir folder;
    static const SettingsEnvironment environment{folder.path(), folder.path()};
    const QDateTime start(QDate(2026, 12, 8), QTime(9, 0));
    {
        QFile file(folder.filePath(QStringLiteral("Trevalon.ini")));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
                static_cast<qint64>(size)) {
            fuzz::fail("the settings file could not be prepared");
        }
    }
    test::RecordingLog log;
    SettingsStore first(log, texts);
    first.prepareFolders(environment, folder.path(), start);
    first.readSettings();
    const Settings before = first.values();
    const QString language =
        before.language == QLatin1StringView("pl") ? QStringLiteral("ang") : QStringLiteral("pl");
    first.updateLanguage(language);

    SettingsStore second(log, texts);
    second.prepareFolders(environment, folder.path(), start);
    second.readSettings();
    if (!sameExceptLanguage(before, second.values()) || second.values().language != language) {
        fuzz::fail("changing the language changed another setting");
    }
    return 0;
}
