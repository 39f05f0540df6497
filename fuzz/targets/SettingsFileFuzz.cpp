// Reads any bytes as the settings file, then changes one key as the program does when the
// language is switched: every other value must read back as it was before.
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "FuzzInput.h"
#include "Recorders.h"
#include "config/SettingsStore.h"
#include "config/TextTable.h"

using namespace trevalon;

namespace {

void print(const char* when, const Settings& s) {
    std::fprintf(stderr, "%s: al=%d wo=%d pdp=%d dfpz=%d lg=%s rzm=%d wrzd=%d fl=%s ostp=%s\n",
                 when, s.warnBeforeDelete, s.wo, s.showHints, s.logLevel, qPrintable(s.language),
                 s.schemaShowsVariables, s.createLogFiles, qPrintable(s.projectsFolder),
                 qPrintable(s.recentProjects.join(u'|')));
}

bool sameExceptLanguage(const Settings& a, const Settings& b) {
    return a.warnBeforeDelete == b.warnBeforeDelete && a.wo == b.wo && a.showHints == b.showHints &&
           a.logLevel == b.logLevel && a.schemaShowsVariables == b.schemaShowsVariables &&
           a.createLogFiles == b.createLogFiles && a.projectsFolder == b.projectsFolder &&
           a.recentProjects == b.recentProjects && a.autosaveSeconds == b.autosaveSeconds &&
           a.traceRows == b.traceRows && a.runSpeed == b.runSpeed;
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
    const auto read = [&](SettingsStore& store) {
        store.prepareFolders(environment, folder.path(), start);
        store.readSettings();
    };
    // The first start replaces a damaged or foreign file; what the next start reads is what
    // the file holds from then on.
    SettingsStore first(log, texts);
    read(first);
    SettingsStore second(log, texts);
    read(second);
    const Settings before = second.values();
    const QString language =
        before.language == QLatin1StringView("pl") ? QStringLiteral("ang") : QStringLiteral("pl");
    second.updateLanguage(language);

    SettingsStore third(log, texts);
    read(third);
    const Settings& after = third.values();
    if (!sameExceptLanguage(before, after) || after.language != language) {
        print("before", before);
        print("after", after);
        fuzz::fail("changing the language changed another setting");
    }
    return 0;
}
