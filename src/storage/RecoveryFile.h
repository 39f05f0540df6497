#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "config/Status.h"

namespace trevalon {

class Project;

// A recovery file some program left behind: what the pupil is told about it and where its
// project is. While an entry exists its owner's lock is held, so that a second program started
// at the same time does not offer it too.
struct RecoveryEntry {
    QString projectFile;   // the recovered project, in the project file format
    QString originalPath;  // the pupil's own file; empty for a project that had none
    QString projectName;   // empty for a project that had no name
    QDateTime savedAt;
    QStringList boardNames;  // the boards in use, in order

    std::shared_ptr<QLockFile> lock;
};

// The autosave of one running program. Each program has its own slot in the data folder's
// `Odzysk` folder (named by its process id and start time) and holds the slot's lock for its
// whole life, so that two programs running at once keep separate recovery files and a slot
// whose lock nobody holds belongs to a program that crashed or was killed. A slot is a
// project file (".skb") and a small description (".json") beside it; both are written whole
// before they replace the previous ones, and the pupil's own file is never written here.
// QtCore only: nothing is shown, failures are answered as values.
class RecoveryFile {
public:
    static constexpr const char* FolderName = "Odzysk";

    // Takes a new slot under `dataFolder` (the folder is made when the first file is written).
    explicit RecoveryFile(const QString& dataFolder);
    // Lets the slot go without removing its files: a program that ends without `remove` leaves
    // them for the next start, like one that crashed.
    ~RecoveryFile();
    RecoveryFile(const RecoveryFile&) = delete;
    RecoveryFile& operator=(const RecoveryFile&) = delete;

    // Writes `project` and its description (original path, name, time, boards) into this
    // program's slot; texts::SaveWriteFailed, with the cause as its detail, when either cannot
    // be written (a previous recovery file stays as it was).
    Status write(const Project& project, const QString& originalPath, const QString& projectName);
    // True when `project` differs from what this program's recovery file holds (or there is
    // none): the autosave's test for a change, whatever edit made it.
    bool holdsNewWork(const Project& project) const;
    // Removes this program's recovery file (a save, a clean close).
    void remove();
    bool exists() const;
    const QString& projectFile() const { return m_projectFile; }

    // The recovery files of programs no longer running, oldest first, that are worth offering:
    // newer than the project file they came from, or from a project that had none. A leftover
    // older than its project file (saved since, maybe by another program) is removed here;
    // a description that cannot be read is left alone. A slot with a link, pipe or device
    // under one of its names is passed over unopened, and those entries are removed (a link,
    // not what it leads to).
    std::vector<RecoveryEntry> takeLeftovers() const;
    // Removes a leftover's files and lets its lock go (after the pupil chose).
    static void discard(RecoveryEntry& entry);

    QString folder() const { return m_folder; }

private:
    QString m_folder;
    QString m_projectFile;
    QString m_descriptionFile;
    std::unique_ptr<QLockFile> m_lock;
    QByteArray m_written;  // the project last written, as `contents` gives it
};

}  // namespace trevalon
