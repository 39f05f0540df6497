#include "config/SettingsStore.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <utility>
#include <vector>

#include "FifoWatch.h"
#include "Recorders.h"
#include "config/TextTable.h"
#include "config/TpkXML.h"

using trevalon::Settings;
using trevalon::SettingsEnvironment;
using trevalon::SettingsStore;
using trevalon::TextTable;

namespace {

using KeyValues = std::vector<std::pair<const char*, QString>>;

QByteArray crlf(const QByteArray& text) {
    return QByteArray(text).replace("\n", "\r\n");
}

QByteArray utf16le(const QString& text) {
    QByteArray bytes;
    for (const QChar ch : text) {
        bytes.append(static_cast<char>(ch.unicode() & 0xFF));
        bytes.append(static_cast<char>(ch.unicode() >> 8));
    }
    return bytes;
}

// Base64 of the value's UTF-16LE bytes, built independently of the store.
QByteArray encoded(const QString& value) {
    return utf16le(value).toBase64();
}

QByteArray settingsFile(const KeyValues& keys) {
    QByteArray file = "<?xml encoding=\"WINDOWS-1250\"?>\n<Ini>\n";
    for (const auto& [key, value] : keys) {
        file += QByteArray("\t<") + key + ">" + encoded(value) + "</" + key + ">\n";
    }
    return crlf(file + "</Ini>\n");
}

const QByteArray kDefaultFile = crlf(
    "<?xml encoding=\"WINDOWS-1250\"?>\n"
    "<Ini>\n"
    "\t<ed>VAByAGUAdgBhAGwAbwBuAA==</ed>\n"
    "\t<al>MQA=</al>\n"
    "\t<wo>MAA=</wo>\n"
    "\t<dfpz>MAA=</dfpz>\n"
    "\t<lg>cABsAA==</lg>\n"
    "\t<rzm>MAA=</rzm>\n"
    "\t<wrzd>MAA=</wrzd>\n"
    "\t<fl>LwBzAHQAYQByAHQALwBQAHIAbwBqAGUAawB0AHkA</fl>\n"
    "</Ini>\n");

// A first start's file: the defaults, and the hints on.
const QByteArray kFirstStartFile =
    QByteArray(kDefaultFile).replace("\t<dfpz>", "\t<pdp>MQA=</pdp>\r\n\t<dfpz>");

QString text(int number) {
    return TextTable().text(number);
}

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_temp.isValid()); }

    SettingsEnvironment environment() const {
        return {m_temp.filePath(QStringLiteral("data")), m_temp.filePath(QStringLiteral("docs"))};
    }
    void prepare(SettingsStore& target) {
        target.prepareFolders(environment(), QStringLiteral("/start"),
                              QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9)));
    }
    QString settingsPath() const { return m_temp.filePath(QStringLiteral("data/Trevalon.ini")); }
    void writeSettings(const QByteArray& bytes) {
        QDir().mkpath(m_temp.filePath(QStringLiteral("data")));
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readSettingsFile() const {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_temp;
    trevalon::test::RecordingLog log{0};
    TextTable texts;
    SettingsStore store{log, texts};
};

void expectDefaults(const Settings& values) {
    EXPECT_TRUE(values.warnBeforeDelete);
    EXPECT_EQ(values.wo, 0);
    EXPECT_EQ(values.logLevel, 0);
    EXPECT_EQ(values.language, QStringLiteral("pl"));
    EXPECT_FALSE(values.schemaShowsVariables);
    EXPECT_FALSE(values.createLogFiles);
    EXPECT_EQ(values.projectsFolder, QStringLiteral("/start/Projekty"));
}

}  // namespace

TEST_F(SettingsStoreTest, FirstStartCreatesFoldersAndWritesNineKeysWithTheHintsOn) {
    prepare(store);
    EXPECT_TRUE(QDir(m_temp.filePath(QStringLiteral("data/Dzienniki"))).exists());
    EXPECT_EQ(store.settingsFilePath(), settingsPath());
    EXPECT_EQ(store.logFilePath(),
              m_temp.filePath(QStringLiteral("data/Dzienniki/Dz_20240305070809.txt")));
    EXPECT_EQ(store.values().projectsFolder, m_temp.filePath(QStringLiteral("docs")));
    EXPECT_TRUE(log.lines.isEmpty());

    store.readSettings();
    EXPECT_EQ(log.lines, QStringList{text(trevalon::texts::LogSettingsMissing)});
    EXPECT_EQ(readSettingsFile(), kFirstStartFile);
    expectDefaults(store.values());
    EXPECT_TRUE(store.values().showHints);
}

TEST_F(SettingsStoreTest, ForeignOrDamagedFilesAreReplacedByDefaults) {
    const KeyValues valid = {{"ed", QStringLiteral("Trevalon")}, {"lg", QStringLiteral("ang")}};
    QByteArray oversized = settingsFile(valid);
    oversized.append(QByteArray(1024 * 1024, ' '));
    const struct Row {
        const char* what;
        QByteArray file;
        int logged;
    } rows[] = {
        {"signature in other letter case", settingsFile({{"ed", QStringLiteral("trevalon")}}), 708},
        {"other signature", settingsFile({{"ed", QStringLiteral("Trevalon2")}, {"al", "0"}}), 708},
        {"no signature", settingsFile({{"lg", QStringLiteral("ang")}}), 708},
        {"empty file", QByteArray(), 708},
        {"not XML", QByteArray("\x00\x01\xFF\xFEgarbage", 11), 708},
        {"signature not Base64", crlf("<Ini><ed>*Trevalon*</ed></Ini>"), 709},
        {"signature of odd length", crlf("<Ini><ed>VA==</ed></Ini>"), 709},
        {"language not Base64", settingsFile(valid).replace("YQBuAGcA", "Y?BuAGcA"), 709},
        {"folder not Base64", crlf("<Ini><ed>VAByAGUAdgBhAGwAbwBuAA==</ed><fl>\xB9</fl></Ini>"),
         709},
        {"file too large", oversized, 709},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        log.lines.clear();
        writeSettings(row.file);
        SettingsStore fresh(log, texts);
        prepare(fresh);
        fresh.readSettings();
        EXPECT_EQ(log.lines, QStringList{text(row.logged)});
        EXPECT_EQ(readSettingsFile(), kDefaultFile);
        expectDefaults(fresh.values());
    }
}

TEST_F(SettingsStoreTest, UnreadableFileIsReplacedAndAFailedWriteStaysQuiet) {
    prepare(store);
    ASSERT_TRUE(QDir().mkpath(settingsPath()));  // a folder where the file should be
    store.readSettings();
    EXPECT_EQ(log.lines, QStringList{text(trevalon::texts::LogSettingsDamaged)});
    expectDefaults(store.values());
}

// A link to a pipe under the settings' name (a data folder on a USB stick can hold anything)
// is neither read nor written through: the start goes on with the defaults in a new file of
// its own, and the pipe is never opened.
TEST_F(SettingsStoreTest, ALinkToAPipeIsReplacedUnopened) {
    prepare(store);
    const QString pipe = m_temp.filePath(QStringLiteral("pipe"));
    const trevalon::test::FifoWatch watch(pipe);
    ASSERT_TRUE(watch.made());
    ASSERT_EQ(::symlink(QFile::encodeName(pipe).constData(),
                        QFile::encodeName(settingsPath()).constData()),
              0);
    store.readSettings();
    EXPECT_EQ(log.lines, QStringList{text(trevalon::texts::LogSettingsDamaged)});
    expectDefaults(store.values());
    EXPECT_FALSE(QFileInfo(settingsPath()).isSymLink());
    EXPECT_EQ(readSettingsFile(), kDefaultFile);
    EXPECT_FALSE(watch.readerCame());
    EXPECT_FALSE(QFileInfo(pipe).isFile()) << "written through the link";
}

TEST_F(SettingsStoreTest, ReadsEveryKeyOfAGoodFile) {
    const QString folder = QString::fromUtf8("/home/uczeń/Zażółć \"gęślą\" & <jaźń>");
    writeSettings(settingsFile({{"ed", QStringLiteral("Trevalon")},
                                {"al", QStringLiteral("0")},
                                {"wo", QStringLiteral("7")},
                                {"pdp", QStringLiteral("1")},
                                {"dfpz", QStringLiteral("4")},
                                {"lg", QStringLiteral("ang")},
                                {"rzm", QStringLiteral("1")},
                                {"wrzd", QStringLiteral("1")},
                                {"fl", folder}}));
    const QByteArray before = readSettingsFile();
    prepare(store);
    store.readSettings();
    const Settings& values = store.values();
    EXPECT_FALSE(values.warnBeforeDelete);
    EXPECT_EQ(values.wo, 7);
    EXPECT_TRUE(values.showHints);
    EXPECT_EQ(values.logLevel, 4);
    EXPECT_EQ(values.language, QStringLiteral("ang"));
    EXPECT_TRUE(values.schemaShowsVariables);
    EXPECT_TRUE(values.createLogFiles);
    EXPECT_EQ(values.projectsFolder, folder);
    EXPECT_EQ(log.lines,
              QStringList{text(trevalon::texts::LogSettingsRead)});  // level 4 reports the read
    EXPECT_EQ(readSettingsFile(), before);
}

TEST_F(SettingsStoreTest, ValueRulesForMissingAndBrokenValues) {
    // Key case does not matter; values outside the rules fall back one by one.
    writeSettings(
        crlf("<ini><ED>VAByAGUAdgBhAGwAbwBuAA==</ED>"
             "<al>!</al><wo>!</wo><dfpz>eAB5AA==</dfpz><lg>ZABlAA==</lg><kpb>!</kpb>"
             "<asek>!</asek></ini>"));
    prepare(store);
    store.readSettings();
    const Settings& values = store.values();
    EXPECT_TRUE(values.warnBeforeDelete);              // a boolean that cannot be read is true
    EXPECT_EQ(values.wo, 0);                           // an integer that cannot be read is 0
    EXPECT_FALSE(values.showHints);                    // a missing boolean is false
    EXPECT_EQ(values.logLevel, 0);                     // "xy" is no number
    EXPECT_EQ(values.language, QStringLiteral("pl"));  // "de" is no language of ours
    EXPECT_FALSE(values.schemaShowsVariables);
    EXPECT_TRUE(values.projectsFolder.isEmpty());
    EXPECT_FALSE(values.stepSkipsConnectors);  // a later key stays off when it cannot be read
    EXPECT_EQ(values.autosaveSeconds, 30);     // a damaged interval keeps the default
    EXPECT_TRUE(log.lines.isEmpty());
}

// Files from before the list lack its key, and a damaged list costs only the list.
TEST_F(SettingsStoreTest, RecentProjectsHaveAKeyOfTheirOwn) {
    const KeyValues old = {{"ed", QStringLiteral("Trevalon")}, {"wo", QStringLiteral("3")}};
    writeSettings(settingsFile(old));
    prepare(store);
    store.readSettings();
    EXPECT_TRUE(store.values().recentProjects.isEmpty());
    EXPECT_EQ(store.values().autosaveSeconds, 30);  // older files autosave every 30 s
    EXPECT_EQ(store.values().traceRows, 100000);    // and trace the last 100 000 steps

    store.rememberProject(QStringLiteral("/p/a.skb"));
    store.rememberProject(QStringLiteral("/p/b.skb"));
    EXPECT_TRUE(readSettingsFile().contains(
        "\t<ostp>" + encoded(QStringLiteral("/p/b.skb\n/p/a.skb")) + "</ostp>\r\n"));
    SettingsStore reread(log, texts);
    prepare(reread);
    reread.readSettings();
    EXPECT_EQ(reread.values().recentProjects,
              (QStringList{QStringLiteral("/p/b.skb"), QStringLiteral("/p/a.skb")}));
    EXPECT_EQ(reread.values().wo, 3);
    reread.forgetRecentProjects();
    SettingsStore emptied(log, texts);
    prepare(emptied);
    emptied.readSettings();
    EXPECT_TRUE(emptied.values().recentProjects.isEmpty());

    QByteArray damaged = settingsFile(old);
    damaged.replace("</Ini>", "\t<ostp>!!</ostp>\r\n</Ini>");
    writeSettings(damaged);
    log.lines.clear();
    SettingsStore third(log, texts);
    prepare(third);
    third.readSettings();
    EXPECT_TRUE(third.values().recentProjects.isEmpty());
    EXPECT_EQ(third.values().wo, 3);
    EXPECT_TRUE(log.lines.isEmpty());  // read as a good file, not replaced
    EXPECT_EQ(readSettingsFile(), damaged);
}

TEST_F(SettingsStoreTest, LogLevelIsKeptInRange) {
    for (const auto& [stored, expected] : {std::pair{"9", 5}, {"-3", 0}, {"5", 5}, {"2", 2}}) {
        writeSettings(settingsFile(
            {{"ed", QStringLiteral("Trevalon")}, {"dfpz", QString::fromLatin1(stored)}}));
        SettingsStore fresh(log, texts);
        prepare(fresh);
        fresh.readSettings();
        EXPECT_EQ(fresh.logLevel(), expected) << stored;
    }
}

// Numbers added to the settings file after its first version: clamped into their range, and
// their default when missing or not a number.
TEST_F(SettingsStoreTest, AddedNumbersAreKeptInRange) {
    const struct {
        const char* key;
        const char* stored;
        int expected;
        int Settings::*field;
    } rows[] = {
        {"asek", "0", 0, &Settings::autosaveSeconds},
        {"asek", "-5", 0, &Settings::autosaveSeconds},
        {"asek", "7", 7, &Settings::autosaveSeconds},
        {"asek", "99999", 3600, &Settings::autosaveSeconds},
        {"asek", "x", 30, &Settings::autosaveSeconds},
        {"lwsl", "5000", 5000, &Settings::traceRows},
        {"lwsl", "0", 100, &Settings::traceRows},
        {"lwsl", "-1", 100, &Settings::traceRows},
        {"lwsl", "99999999", 1000000, &Settings::traceRows},
        {"lwsl", "x", 100000, &Settings::traceRows},
        {"tmp", "3", 3, &Settings::runSpeed},
        {"tmp", "9", 5, &Settings::runSpeed},
        {"tmp", "-2", 0, &Settings::runSpeed},
        {"jkod", "1", 1, &Settings::codeLanguage},
        {"jkod", "7", 2, &Settings::codeLanguage},
        {"jkod", "x", 0, &Settings::codeLanguage},
    };
    for (const auto& row : rows) {
        writeSettings(settingsFile(
            {{"ed", QStringLiteral("Trevalon")}, {row.key, QString::fromLatin1(row.stored)}}));
        SettingsStore fresh(log, texts);
        prepare(fresh);
        fresh.readSettings();
        EXPECT_EQ(fresh.values().*row.field, row.expected) << row.key << " " << row.stored;
    }
}

TEST_F(SettingsStoreTest, WriteAllThenReadBackGivesTheSameValues) {
    prepare(store);
    store.readSettings();
    Settings& values = store.values();
    values.warnBeforeDelete = false;
    values.wo = -12;
    values.showHints = true;
    values.logLevel = 4;
    values.language = QStringLiteral("ang");
    values.schemaShowsVariables = true;
    values.createLogFiles = true;
    values.stepSkipsConnectors = true;
    values.autosaveSeconds = 7;
    values.traceRows = 2500;
    values.runSpeed = 4;
    values.codeLanguage = 2;
    values.projectsFolder = QString::fromUtf8("/dom/Łódź/\"a\" & <b>\r\nc");
    log.lines.clear();
    EXPECT_TRUE(store.writeAllSettings());
    EXPECT_EQ(log.lines, QStringList{text(trevalon::texts::LogSettingsWritten)});
    EXPECT_TRUE(readSettingsFile().contains("\t<pdp>MQA=</pdp>\r\n"));

    SettingsStore reread(log, texts);
    prepare(reread);
    reread.readSettings();
    const Settings& read = reread.values();
    EXPECT_EQ(read.warnBeforeDelete, values.warnBeforeDelete);
    EXPECT_EQ(read.wo, values.wo);
    EXPECT_EQ(read.showHints, values.showHints);
    EXPECT_EQ(read.logLevel, values.logLevel);
    EXPECT_EQ(read.language, values.language);
    EXPECT_EQ(read.schemaShowsVariables, values.schemaShowsVariables);
    EXPECT_EQ(read.createLogFiles, values.createLogFiles);
    EXPECT_EQ(read.projectsFolder, values.projectsFolder);
    EXPECT_EQ(read.stepSkipsConnectors, values.stepSkipsConnectors);
    EXPECT_EQ(read.autosaveSeconds, values.autosaveSeconds);
    EXPECT_EQ(read.traceRows, values.traceRows);
    EXPECT_EQ(read.runSpeed, values.runSpeed);
    EXPECT_EQ(read.codeLanguage, values.codeLanguage);
}

TEST_F(SettingsStoreTest, FailedWritesAreLoggedAboveLevelOne) {
    QFile blocker(m_temp.filePath(QStringLiteral("data")));  // a file where the folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    prepare(store);
    for (const auto& [level, lines] :
         {std::pair{1, QStringList{}},
          {2, QStringList{text(trevalon::texts::LogSettingsNotWritten)}}}) {
        log.lines.clear();
        store.values().logLevel = level;
        EXPECT_FALSE(store.writeAllSettings());
        EXPECT_EQ(log.lines, lines) << level;
        log.lines.clear();
        store.updateLanguage(QStringLiteral("ang"));
        EXPECT_EQ(log.lines, lines) << level;
    }
    store.values().logLevel = 2;
    log.lines.clear();
    EXPECT_FALSE(store.writeDefaultSettings());
    EXPECT_TRUE(log.lines.isEmpty());  // the defaults have level 0
}

TEST_F(SettingsStoreTest, DefaultsLeaveTheHintsSwitchAlone) {
    prepare(store);
    store.values().showHints = true;
    EXPECT_TRUE(store.writeDefaultSettings());
    EXPECT_TRUE(store.values().showHints);
    EXPECT_EQ(readSettingsFile(), kDefaultFile);
}

TEST_F(SettingsStoreTest, UpdatingOneKeyKeepsTheRestOfTheFile) {
    QByteArray file = settingsFile({{"ed", QStringLiteral("Trevalon")},
                                    {"wo", QStringLiteral("3")},
                                    {"dfpz", QStringLiteral("4")},
                                    {"custom", QStringLiteral("kept")}});
    writeSettings(file);
    prepare(store);
    store.readSettings();
    log.lines.clear();

    store.updateLanguage(QStringLiteral("ang"));
    EXPECT_EQ(log.lines, QStringList{text(trevalon::texts::LogLanguageChanged)});
    file.replace("</Ini>", "\t<lg>YQBuAGcA</lg>\r\n</Ini>");
    EXPECT_EQ(readSettingsFile(), file);

    log.lines.clear();
    store.updateProjectsFolder(QStringLiteral("/p"));
    EXPECT_EQ(log.lines, QStringList{text(trevalon::texts::LogProjectsFolderChanged)});
    EXPECT_TRUE(readSettingsFile().contains("\t<fl>LwBwAA==</fl>\r\n"));
    EXPECT_TRUE(readSettingsFile().contains("<custom>"));
}

TEST_F(SettingsStoreTest, UpdatingAUtf16FileWritesItBackInWindows1250) {
    const QByteArray eightBit =
        settingsFile({{"ed", QStringLiteral("Trevalon")}, {"wo", QStringLiteral("3")}});
    writeSettings(QByteArray("\xFF\xFE", 2) +
                  utf16le(QString::fromLatin1(eightBit).replace(QStringLiteral("WINDOWS-1250"),
                                                                QStringLiteral("UTF-16"))));
    prepare(store);
    store.readSettings();
    EXPECT_EQ(store.values().wo, 3);

    store.updateLanguage(QStringLiteral("ang"));
    QByteArray expected = eightBit;
    expected.replace("</Ini>", "\t<lg>YQBuAGcA</lg>\r\n</Ini>");
    EXPECT_EQ(readSettingsFile(), expected);
}

// Characters that Windows-1250 lacks keep the file in UTF-16: an update never turns a readable
// settings file into one that loses text or that the next start takes for foreign.
TEST_F(SettingsStoreTest, UpdatingAUtf16FileThatWindows1250CannotHoldKeepsItWhole) {
    QString content = QString::fromLatin1(settingsFile({{"ed", QStringLiteral("Trevalon")},
                                                        {"wo", QStringLiteral("3")},
                                                        {"dfpz", QStringLiteral("2")}}));
    content.replace(QStringLiteral("WINDOWS-1250"), QStringLiteral("UTF-16"));
    content.replace(QStringLiteral("</Ini>"), QStringLiteral("\t<uwaga>日本 ✓</uwaga>\r\n</Ini>"));
    writeSettings(QByteArray("\xFF\xFE", 2) + utf16le(content));
    prepare(store);
    store.readSettings();
    store.updateLanguage(QStringLiteral("ang"));

    SettingsStore reread(log, texts);
    prepare(reread);
    log.lines.clear();
    reread.readSettings();
    EXPECT_TRUE(log.lines.isEmpty());  // read as its own file, not replaced
    EXPECT_EQ(reread.values().wo, 3);
    EXPECT_EQ(reread.values().logLevel, 2);
    EXPECT_EQ(reread.values().language, QStringLiteral("ang"));
    trevalon::TpkXML document;
    ASSERT_TRUE(document.loadFromFile(settingsPath()));
    trevalon::TpkXMLNode* root = document.topElement(QStringLiteral("Ini"), false);
    ASSERT_NE(root, nullptr);
    const trevalon::TpkXMLNode* note = root->findOrCreateChild(QStringLiteral("uwaga"), false);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->text(), QStringLiteral("日本 ✓"));
}

TEST_F(SettingsStoreTest, UpdatingAMissingFileWritesEveryKey) {
    prepare(store);
    store.readSettings();
    store.values().wo = 9;
    ASSERT_TRUE(QFile::remove(settingsPath()));
    store.updateLanguage(QStringLiteral("ang"));

    SettingsStore reread(log, texts);
    prepare(reread);
    log.lines.clear();
    reread.readSettings();
    EXPECT_TRUE(log.lines.isEmpty());  // not foreign: read as a good file
    EXPECT_EQ(reread.values().language, QStringLiteral("ang"));
    EXPECT_EQ(reread.values().wo, 9);
}

TEST_F(SettingsStoreTest, SettingTheLevelStoresAndReportsIt) {
    prepare(store);
    store.readSettings();
    const struct Row {
        int requested;
        int stored;
        QStringList logged;
    } rows[] = {
        {1, 1, {}},
        {3, 3, {text(trevalon::texts::LogLevelChanged) + u'3'}},
        {7, 5, {text(trevalon::texts::LogLevelChanged) + u'5'}},
        {-1, 0, {}},
    };
    for (const Row& row : rows) {
        log.lines.clear();
        store.setLogLevel(row.requested);
        EXPECT_EQ(store.logLevel(), row.stored);
        EXPECT_EQ(log.lines, row.logged) << row.requested;
        EXPECT_TRUE(readSettingsFile().contains("<dfpz>" + encoded(QString::number(row.stored)) +
                                                "</dfpz>"));
    }
}

TEST_F(SettingsStoreTest, ApplyingTheDialogWritesEverythingButTheLanguage) {
    prepare(store);
    store.readSettings();
    store.updateLanguage(QStringLiteral("ang"));
    Settings edited = store.values();
    edited.language = QStringLiteral("pl");  // the dialog has no say in it
    edited.warnBeforeDelete = false;
    edited.showHints = true;
    edited.logLevel = 4;
    edited.projectsFolder.clear();
    log.lines.clear();
    EXPECT_TRUE(store.applyDialog(edited));
    EXPECT_EQ(store.values().language, QStringLiteral("ang"));
    EXPECT_EQ(store.values().projectsFolder, QStringLiteral("/start/Projekty"));
    EXPECT_EQ(log.lines, (QStringList{text(trevalon::texts::LogSettingsWritten),
                                      text(trevalon::texts::LogSettingsApplied)}));

    SettingsStore reread(log, texts);
    prepare(reread);
    reread.readSettings();
    EXPECT_FALSE(reread.values().warnBeforeDelete);
    EXPECT_TRUE(reread.values().showHints);
    EXPECT_EQ(reread.values().language, QStringLiteral("ang"));

    edited.logLevel = 17;
    edited.projectsFolder = QStringLiteral("/elsewhere");
    ASSERT_TRUE(QFile::remove(settingsPath()));
    ASSERT_TRUE(QDir().mkpath(settingsPath()));  // the file cannot be written now
    log.lines.clear();
    EXPECT_FALSE(store.applyDialog(edited));
    EXPECT_EQ(store.logLevel(), 5);
    EXPECT_EQ(store.values().projectsFolder, QStringLiteral("/elsewhere"));
    EXPECT_EQ(log.lines, QStringList{text(trevalon::texts::LogSettingsNotWritten)});
}

TEST(SettingsPaths, OneLogFilePerSecondOfStart) {
    const QDateTime first(QDate(2009, 1, 2), QTime(3, 4, 5));
    EXPECT_EQ(SettingsStore::logFileName(first), QStringLiteral("Dz_20090102030405.txt"));
    EXPECT_NE(SettingsStore::logFileName(first), SettingsStore::logFileName(first.addSecs(1)));
}

TEST(SettingsPaths, EnvironmentVariableOverridesTheDataFolder) {
    const QByteArray saved = qgetenv(SettingsEnvironment::DataFolderVariable);
    qputenv(SettingsEnvironment::DataFolderVariable, "/tmp/portable-trevalon");
    EXPECT_EQ(SettingsEnvironment::fromSystem().dataFolder,
              QStringLiteral("/tmp/portable-trevalon"));
    qunsetenv(SettingsEnvironment::DataFolderVariable);
    EXPECT_TRUE(
        SettingsEnvironment::fromSystem().dataFolder.endsWith(QStringLiteral("/Korvex/Trevalon")));
    EXPECT_FALSE(SettingsEnvironment::fromSystem().documentsFolder.isEmpty());
    if (!saved.isNull()) {
        qputenv(SettingsEnvironment::DataFolderVariable, saved);
    }
}
