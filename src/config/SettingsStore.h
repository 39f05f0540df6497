#pragma once

#include <QDateTime>
#include <QString>

#include "config/Settings.h"

namespace trevalon {

class EventLog;
class TextTable;
class TpkXML;

// Where the program keeps its files, as the operating system (or the user) says.
struct SettingsEnvironment {
    // Overrides `dataFolder` for portable installations and for tests.
    static constexpr const char* DataFolderVariable = "TREVALON_DATA_DIR";

    QString dataFolder;       // holds Trevalon.ini and the Dzienniki folder
    QString documentsFolder;  // the projects folder until the settings are read

    // $TREVALON_DATA_DIR when set and not empty, otherwise the per-user application-data
    // folder + "/Korvex/Trevalon"; the user's documents folder.
    static SettingsEnvironment fromSystem();
};

// Keeps the settings of one run: fixes the paths at start-up, reads the settings file once,
// and writes it whenever a setting changes. The file is XML with root `Ini`, one element per
// key holding the Base64 of the value's UTF-16LE bytes, in Windows-1250.
//
// Nothing here is ever shown to the user: a missing, foreign or damaged file is replaced by
// defaults and every failure only goes to the event log. `log` and `texts` must outlive the
// store; log lines are taken from `texts` in its current language.
class SettingsStore {
public:
    static constexpr const char* Signature = "Trevalon";

    SettingsStore(EventLog& log, const TextTable& texts);

    // Creates the data folder and its Dzienniki folder (failures are ignored), fixes the
    // settings and log file paths and makes the documents folder the projects folder. The log
    // file is named after `startTime`, one file per run.
    void prepareFolders(const SettingsEnvironment& environment, const QString& startFolder,
                        const QDateTime& startTime);

    // Fills every setting from the file; a missing, foreign or damaged file is replaced by a
    // new one with the defaults (and so are the values in memory). A missing file is a first
    // start: its new file also turns the hints on and keeps them on. A damaged recent-projects
    // value gives an empty list and the rest of the file is read as usual.
    void readSettings();

    // Sets the defaults (all but `showHints`) and writes a new file with them.
    bool writeDefaultSettings();
    // Writes a new file from the values in memory; false (logged) when it cannot be written.
    bool writeAllSettings();

    // The settings dialog's "Wprowadź": every value but the language is taken from `edited`
    // (the log level, the autosave interval and the trace rows brought into range, an empty
    // projects folder meaning the default one) and
    // the file is written anew. The values stay in effect even when the file cannot be written.
    bool applyDialog(const Settings& edited);

    // Each stores one value and rewrites its key in the file, keeping the rest of the file.
    void updateLanguage(const QString& language);
    void updateProjectsFolder(const QString& folder);
    // Levels outside 0..5 are brought into range.
    void setLogLevel(int level);
    // The run's speed chosen beside the run buttons, kept at once.
    void setRunSpeed(int level);
    // The code window's language (see Settings::codeLanguage), kept at once.
    void setCodeLanguage(int language);
    // Puts `path` first in the recent projects (see RecentProjects) and rewrites their key.
    void rememberProject(const QString& path);
    // Empties the recent projects and rewrites their key.
    void forgetRecentProjects();

    const Settings& values() const { return m_values; }
    // For the settings dialog: change freely, then `writeAllSettings`.
    Settings& values() { return m_values; }
    int logLevel() const { return m_values.logLevel; }

    const QString& startFolder() const { return m_startFolder; }
    const QString& dataFolder() const { return m_dataFolder; }
    const QString& settingsFilePath() const { return m_settingsFile; }
    const QString& logFolder() const { return m_logFolder; }
    const QString& logFilePath() const { return m_logFile; }
    // `StartFolder` + "/Projekty": the projects folder of a new settings file.
    QString defaultProjectsFolder() const;

    // "Dz_" + yyyyMMddHHmmss + ".txt".
    static QString logFileName(const QDateTime& startTime);

private:
    enum class Key {
        Signature,
        Warn,
        Wo,
        Hints,
        Level,
        Language,
        Schema,
        LogFiles,
        Folder,
        Recent,
        StepSkipsConnectors,
        AutosaveSeconds,
        TraceRows,
        RunSpeed,
        CodeLanguage,
    };

    bool writeDefaults(bool withHints);
    bool saveDocument(TpkXML& document) const;
    void writeKey(TpkXML& document, Key key) const;
    bool updateKey(Key key);
    void logAbove(int threshold, int textNumber) const;
    void logAlways(int textNumber) const;

    EventLog& m_log;
    const TextTable& m_texts;
    Settings m_values;
    QString m_startFolder;
    QString m_dataFolder;
    QString m_settingsFile;
    QString m_logFolder;
    QString m_logFile;
};

}  // namespace trevalon
