#include "config/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <array>
#include <optional>

#include "config/EventLog.h"
#include "config/RecentProjects.h"
#include "config/RegularFile.h"
#include "config/TextTable.h"
#include "config/TpkXML.h"
#include "config/Utf16Le.h"
#include "config/Windows1250.h"

namespace trevalon {
namespace {

// A settings file holds ten short values; anything this large is not one of ours, and reading
// it whole would only cost memory.
constexpr qint64 MaxSettingsFileSize = 1024 * 1024;

const QString kRoot = QStringLiteral("Ini");

// Keys in the order in which they are read and written.
constexpr std::array<const char*, 15> kKeyNames = {"ed",  "al",   "wo",   "pdp", "dfpz",
                                                   "lg",  "rzm",  "wrzd", "fl",  "ostp",
                                                   "kpb", "asek", "lwsl", "tmp", "jkod"};

QString flag(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString keyName(int index) {
    return QString::fromLatin1(kKeyNames[static_cast<std::size_t>(index)]);
}

// The value of a key element, or nothing when its text is not Base64 of UTF-16LE bytes. A
// missing element reads as the empty text.
std::optional<QString> decodeValue(const TpkXMLNode& element) {
    return Utf16Le::fromBase64(element.text());
}

bool readBoolean(const TpkXMLNode& element) {
    const auto value = decodeValue(element);
    return value ? *value == QLatin1String("1") : true;
}

// A flag added after the first keys: missing or damaged, it keeps its default of off.
bool readAddedFlag(const TpkXMLNode& element) {
    const auto value = decodeValue(element);
    return value && *value == QLatin1String("1");
}

int readInteger(const TpkXMLNode& element) {
    const auto value = decodeValue(element);
    bool ok = false;
    const int number = value ? value->toInt(&ok) : 0;
    return ok ? number : 0;
}

// A number added after the first keys: missing or damaged, it keeps its default; a number out
// of range is brought into it.
int readAddedInteger(const TpkXMLNode& element, int fallback, int low, int high) {
    const auto value = decodeValue(element);
    bool ok = false;
    const int number = value ? value->toInt(&ok) : 0;
    return ok ? std::clamp(number, low, high) : fallback;
}

// The whole file, or nothing when it cannot be read or is too large to be settings.
std::optional<QByteArray> readFile(const QString& path) {
    RegularFile::Contents file = RegularFile::read(path, MaxSettingsFileSize);
    if (!file.ok()) {
        return std::nullopt;
    }
    return std::move(file.bytes);
}

QString joinPath(const QString& folder, const QString& name) {
    return QDir::toNativeSeparators(QDir::cleanPath(folder + u'/' + name));
}

}  // namespace

SettingsEnvironment SettingsEnvironment::fromSystem() {
    SettingsEnvironment environment;
    const QString overridden = qEnvironmentVariable(DataFolderVariable);
    if (!overridden.isEmpty()) {
        environment.dataFolder = QDir::toNativeSeparators(QDir(overridden).absolutePath());
    } else {
        QString appData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (appData.isEmpty()) {
            appData = QDir::homePath() + QStringLiteral("/.local/share");
        }
        environment.dataFolder = joinPath(appData, QStringLiteral("Korvex/Trevalon"));
    }
    environment.documentsFolder =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (environment.documentsFolder.isEmpty()) {
        environment.documentsFolder = QDir::homePath();
    }
    environment.documentsFolder = QDir::toNativeSeparators(environment.documentsFolder);
    return environment;
}

SettingsStore::SettingsStore(EventLog& log, const TextTable& texts) : m_log(log), m_texts(texts) {}

void SettingsStore::prepareFolders(const SettingsEnvironment& environment,
                                   const QString& startFolder, const QDateTime& startTime) {
    m_startFolder = QDir::toNativeSeparators(startFolder);
    m_dataFolder = QDir::toNativeSeparators(environment.dataFolder);
    m_logFolder = joinPath(m_dataFolder, QStringLiteral("Dzienniki"));
    // Every level at once: a fresh account may not even have its application-data folder.
    QDir().mkpath(m_logFolder);
    m_settingsFile = joinPath(m_dataFolder, QStringLiteral("Trevalon.ini"));
    m_logFile = joinPath(m_logFolder, logFileName(startTime));
    m_values.projectsFolder = QDir::toNativeSeparators(environment.documentsFolder);
    logAbove(3, texts::LogFoldersPrepared);
}

QString SettingsStore::logFileName(const QDateTime& startTime) {
    return QStringLiteral("Dz_") + startTime.toString(QStringLiteral("yyyyMMddHHmmss")) +
           QStringLiteral(".txt");
}

QString SettingsStore::defaultProjectsFolder() const {
    return joinPath(m_startFolder, QStringLiteral("Projekty"));
}

void SettingsStore::readSettings() {
    if (!QFileInfo::exists(m_settingsFile)) {
        // A first start: the hints help a newcomer most, and written down they stay on.
        writeDefaults(true);
        logAlways(texts::LogSettingsMissing);
        return;
    }
    const auto replaceDamaged = [this] {
        writeDefaultSettings();
        logAlways(texts::LogSettingsDamaged);
    };
    const auto bytes = readFile(m_settingsFile);
    if (!bytes) {
        replaceDamaged();
        return;
    }
    TpkXML document;
    // A parse failure keeps what was read before it; the values decide whether that is enough.
    document.loadFromBuffer(*bytes);
    TpkXMLNode* ini = document.topElement(kRoot);
    const auto element = [ini](Key key) -> const TpkXMLNode& {
        return *ini->findOrCreateChild(keyName(static_cast<int>(key)));
    };
    const auto signature = decodeValue(element(Key::Signature));
    if (!signature) {
        replaceDamaged();
        return;
    }
    if (*signature != QLatin1String(Signature)) {
        writeDefaultSettings();
        logAlways(texts::LogSettingsForeign);
        return;
    }
    m_values.warnBeforeDelete = readBoolean(element(Key::Warn));
    m_values.wo = readInteger(element(Key::Wo));
    m_values.showHints = readBoolean(element(Key::Hints));
    m_values.logLevel =
        std::clamp(readInteger(element(Key::Level)), Settings::MinLogLevel, Settings::MaxLogLevel);
    const auto language = decodeValue(element(Key::Language));
    if (!language) {
        replaceDamaged();
        return;
    }
    // An unknown language would leave every caption of the interface empty.
    m_values.language =
        *language == QLatin1String("ang") ? QStringLiteral("ang") : QStringLiteral("pl");
    m_values.schemaShowsVariables = readBoolean(element(Key::Schema));
    m_values.createLogFiles = readBoolean(element(Key::LogFiles));
    const auto folder = decodeValue(element(Key::Folder));
    if (!folder) {
        replaceDamaged();
        return;
    }
    m_values.projectsFolder = *folder;
    // Files older than the list lack the key; a damaged list is only a convenience lost.
    m_values.recentProjects =
        RecentProjects::fromText(decodeValue(element(Key::Recent)).value_or(QString()));
    // Files written before the key existed have no element: the step stops on every cell.
    m_values.stepSkipsConnectors = readAddedFlag(element(Key::StepSkipsConnectors));
    m_values.autosaveSeconds =
        readAddedInteger(element(Key::AutosaveSeconds), Settings::DefaultAutosaveSeconds, 0,
                         Settings::MaxAutosaveSeconds);
    m_values.traceRows = readAddedInteger(element(Key::TraceRows), Settings::DefaultTraceRows,
                                          Settings::MinTraceRows, Settings::MaxTraceRows);
    m_values.runSpeed = readAddedInteger(element(Key::RunSpeed), 0, 0, Settings::MaxRunSpeed);
    m_values.codeLanguage =
        readAddedInteger(element(Key::CodeLanguage), 0, 0, Settings::MaxCodeLanguage);
    logAbove(3, texts::LogSettingsRead);
}

bool SettingsStore::writeDefaultSettings() {
    return writeDefaults(false);
}

// A foreign or damaged file's replacement leaves the hints as they were and unwritten, as it
// always has; only a first start (`withHints`) turns them on and writes them.
bool SettingsStore::writeDefaults(bool withHints) {
    const bool hints = withHints || m_values.showHints;
    m_values = Settings{};
    m_values.showHints = hints;
    m_values.projectsFolder = defaultProjectsFolder();

    TpkXML document;
    for (const Key key : {Key::Signature, Key::Warn, Key::Wo, Key::Hints, Key::Level, Key::Language,
                          Key::Schema, Key::LogFiles, Key::Folder}) {
        if (key != Key::Hints || withHints) {
            writeKey(document, key);
        }
    }
    if (!saveDocument(document)) {
        logAbove(1, texts::LogSettingsNotCreated);
        return false;
    }
    logAbove(3, texts::LogSettingsCreated);
    return true;
}

bool SettingsStore::writeAllSettings() {
    TpkXML document;
    for (int key = 0; key < static_cast<int>(kKeyNames.size()); ++key) {
        writeKey(document, static_cast<Key>(key));
    }
    if (!saveDocument(document)) {
        logAbove(1, texts::LogSettingsNotWritten);
        return false;
    }
    logAbove(3, texts::LogSettingsWritten);
    return true;
}

bool SettingsStore::applyDialog(const Settings& edited) {
    const QString language = m_values.language;
    m_values = edited;
    m_values.language = language;
    m_values.logLevel = std::clamp(edited.logLevel, Settings::MinLogLevel, Settings::MaxLogLevel);
    m_values.autosaveSeconds = std::clamp(edited.autosaveSeconds, 0, Settings::MaxAutosaveSeconds);
    m_values.traceRows =
        std::clamp(edited.traceRows, Settings::MinTraceRows, Settings::MaxTraceRows);
    m_values.runSpeed = std::clamp(edited.runSpeed, 0, Settings::MaxRunSpeed);
    m_values.codeLanguage = std::clamp(edited.codeLanguage, 0, Settings::MaxCodeLanguage);
    if (m_values.projectsFolder.isEmpty()) {
        m_values.projectsFolder = defaultProjectsFolder();
    }
    if (!writeAllSettings()) {
        return false;
    }
    logAbove(3, texts::LogSettingsApplied);
    return true;
}

void SettingsStore::updateLanguage(const QString& language) {
    m_values.language = language;
    if (updateKey(Key::Language)) {
        logAbove(3, texts::LogLanguageChanged);
    }
}

void SettingsStore::updateProjectsFolder(const QString& folder) {
    m_values.projectsFolder = folder;
    if (updateKey(Key::Folder)) {
        logAbove(3, texts::LogProjectsFolderChanged);
    }
}

void SettingsStore::setLogLevel(int level) {
    m_values.logLevel = std::clamp(level, Settings::MinLogLevel, Settings::MaxLogLevel);
    if (updateKey(Key::Level) && m_values.logLevel > 1) {
        m_log.log(m_texts.text(texts::LogLevelChanged) + QString::number(m_values.logLevel));
    }
}

void SettingsStore::setRunSpeed(int level) {
    m_values.runSpeed = std::clamp(level, 0, Settings::MaxRunSpeed);
    updateKey(Key::RunSpeed);
}

void SettingsStore::setCodeLanguage(int language) {
    m_values.codeLanguage = std::clamp(language, 0, Settings::MaxCodeLanguage);
    updateKey(Key::CodeLanguage);
}

void SettingsStore::rememberProject(const QString& path) {
    const QStringList recent = RecentProjects::remember(m_values.recentProjects, path);
    if (recent != m_values.recentProjects) {
        m_values.recentProjects = recent;
        updateKey(Key::Recent);
    }
}

void SettingsStore::forgetRecentProjects() {
    if (!m_values.recentProjects.isEmpty()) {
        m_values.recentProjects.clear();
        updateKey(Key::Recent);
    }
}

bool SettingsStore::updateKey(Key key) {
    TpkXML document;
    bool keepFile = false;
    if (QFileInfo::exists(m_settingsFile)) {
        if (const auto bytes = readFile(m_settingsFile)) {
            document.loadFromBuffer(*bytes);
            const auto signature = decodeValue(*document.topElement(kRoot)->findOrCreateChild(
                keyName(static_cast<int>(Key::Signature))));
            keepFile = signature && *signature == QLatin1String(Signature);
        }
    }
    if (keepFile) {
        writeKey(document, key);
    } else {
        // A file with only this key would count as foreign at the next start and every other
        // setting would be lost; write them all instead.
        document.root().clear();
        for (int each = 0; each < static_cast<int>(kKeyNames.size()); ++each) {
            writeKey(document, static_cast<Key>(each));
        }
    }
    if (!saveDocument(document)) {
        logAbove(1, texts::LogSettingsNotWritten);
        return false;
    }
    return true;
}

void SettingsStore::writeKey(TpkXML& document, Key key) const {
    QString value;
    switch (key) {
        case Key::Signature:
            value = QLatin1String(Signature);
            break;
        case Key::Warn:
            value = flag(m_values.warnBeforeDelete);
            break;
        case Key::Wo:
            value = QString::number(m_values.wo);
            break;
        case Key::Hints:
            value = flag(m_values.showHints);
            break;
        case Key::Level:
            value = QString::number(m_values.logLevel);
            break;
        case Key::Language:
            value = m_values.language;
            break;
        case Key::Schema:
            value = flag(m_values.schemaShowsVariables);
            break;
        case Key::LogFiles:
            value = flag(m_values.createLogFiles);
            break;
        case Key::Folder:
            value = m_values.projectsFolder;
            break;
        case Key::Recent:
            value = RecentProjects::toText(m_values.recentProjects);
            break;
        case Key::StepSkipsConnectors:
            value = flag(m_values.stepSkipsConnectors);
            break;
        case Key::AutosaveSeconds:
            value = QString::number(m_values.autosaveSeconds);
            break;
        case Key::TraceRows:
            value = QString::number(m_values.traceRows);
            break;
        case Key::RunSpeed:
            value = QString::number(m_values.runSpeed);
            break;
        case Key::CodeLanguage:
            value = QString::number(m_values.codeLanguage);
            break;
    }
    document.topElement(kRoot)
        ->findOrCreateChild(keyName(static_cast<int>(key)))
        ->setText(Utf16Le::toBase64(value));
}

bool SettingsStore::saveDocument(TpkXML& document) const {
    if (m_settingsFile.isEmpty()) {
        return false;
    }
    QDir().mkdir(QFileInfo(m_settingsFile).absolutePath());
    // A pipe, a device or a link to nothing or to either under the settings' name is no
    // settings file: it goes, rather than be written through (to wherever the link leads) or
    // held open waiting for a reader. What cannot be removed is not written at all.
    const QFileInfo existing(m_settingsFile);
    if ((existing.exists() || existing.isSymLink()) && !existing.isFile() &&
        !QFile::remove(m_settingsFile)) {
        return false;
    }
    // Written aside and renamed, so a failed write never leaves half a settings file.
    QSaveFile file(m_settingsFile);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    // 8-bit, also when the file that was read and is written back was UTF-16, unless it holds
    // characters that Windows-1250 lacks: those would come back as "?" and could leave a file
    // the next start no longer takes for its own.
    document.options.unicode = true;
    const QByteArray wide = document.saveToBuffer();
    const QString text = Utf16Le::decode(QByteArrayView(wide).sliced(2));  // past the mark
    document.options.unicode = !Windows1250::canEncode(text);
    const QByteArray bytes = document.options.unicode ? wide : document.saveToBuffer();
    return file.write(bytes) == bytes.size() && file.commit();
}

void SettingsStore::logAbove(int threshold, int textNumber) const {
    if (m_values.logLevel > threshold) {
        m_log.log(m_texts.text(textNumber));
    }
}

void SettingsStore::logAlways(int textNumber) const {
    m_log.log(m_texts.text(textNumber));
}

}  // namespace trevalon
