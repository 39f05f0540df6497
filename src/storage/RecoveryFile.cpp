#include "storage/RecoveryFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <algorithm>

#include "config/RegularFile.h"
#include "config/TextIds.h"
#include "config/TpkXML.h"
#include "model/Project.h"
#include "storage/ProjectFile.h"

namespace trevalon {
namespace {

// A description holds a path, a name, a time and three board names; anything larger is not
// one of ours.
constexpr qint64 MaxDescriptionSize = 64 * 1024;

const QString kProjectSuffix = QStringLiteral(".skb");
const QString kDescriptionSuffix = QStringLiteral(".json");
const QString kLockSuffix = QStringLiteral(".lock");

// The process id tells running programs apart; the start time keeps a later program that
// happens to get a dead one's id from taking its slot. A slot whose lock is already there (a
// second slot of this program made within the same millisecond) gets a number after it.
QString slotBase(const QString& folder) {
    const QString base = QDir(folder).filePath(
        QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') +
        QString::number(QDateTime::currentMSecsSinceEpoch()));
    QString free = base;
    for (int n = 2;
         QFileInfo::exists(free + kLockSuffix) || QFileInfo::exists(free + kProjectSuffix); ++n) {
        free = base + QLatin1Char('-') + QString::number(n);
    }
    return free;
}

QByteArray describe(const Project& project, const QString& originalPath, const QString& projectName,
                    const QDateTime& savedAt) {
    QJsonArray boards;
    for (int n = 1; n <= project.boardCount; ++n) {
        boards.append(project.board(n).name);
    }
    const QJsonObject description{{QStringLiteral("path"), originalPath},
                                  {QStringLiteral("name"), projectName},
                                  {QStringLiteral("time"), savedAt.toString(Qt::ISODateWithMs)},
                                  {QStringLiteral("boards"), boards}};
    return QJsonDocument(description).toJson();
}

// The entry a description file tells of, or one without a time when it cannot be read.
RecoveryEntry readDescription(const QString& path) {
    RecoveryEntry entry;
    const RegularFile::Contents file = RegularFile::read(path, MaxDescriptionSize);
    if (!file.ok()) {
        return entry;
    }
    const QJsonObject object = QJsonDocument::fromJson(file.bytes).object();
    entry.originalPath = object.value(QStringLiteral("path")).toString();
    entry.projectName = object.value(QStringLiteral("name")).toString();
    entry.savedAt =
        QDateTime::fromString(object.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
    for (const QJsonValue& board : object.value(QStringLiteral("boards")).toArray()) {
        entry.boardNames.append(board.toString());
    }
    return entry;
}

// A recovery file is worth offering unless the pupil's own file was written after it.
bool newerThanItsProject(const RecoveryEntry& entry) {
    const QFileInfo original(entry.originalPath);
    return entry.originalPath.isEmpty() || !original.exists() ||
           entry.savedAt > original.lastModified();
}

// The project as a document with a fixed save time, so that equal projects give equal bytes.
QByteArray contents(const Project& project) {
    TpkXML document;
    if (!ProjectFile::buildDocument(project, document, ProjectFile::Form::Plain,
                                    QDateTime::fromMSecsSinceEpoch(0))) {
        return {};
    }
    return document.saveToBuffer();
}

// Something no program writes into a slot: a link (to anything at all), a pipe, a device, a
// socket, a folder. Reading through one could wait for ever, and so could the lock, which reads
// the lock file it finds.
bool isForeign(const QString& path) {
    const QFileInfo info(path);
    return info.isSymLink() || (info.exists() && !info.isFile());
}

// Removes the foreign entries of the slot at `base`, if it has any (a link goes, never what it
// leads to; a folder stays); the slot's regular files stay. True when there were some.
bool removeForeignEntries(const QString& base) {
    bool found = false;
    for (const QString& suffix : {kDescriptionSuffix, kProjectSuffix, kLockSuffix}) {
        if (isForeign(base + suffix)) {
            found = true;
            QFile::remove(base + suffix);
        }
    }
    return found;
}

void removeFiles(const QString& projectFile) {
    QString base = projectFile;
    base.chop(kProjectSuffix.size());
    QFile::remove(base + kDescriptionSuffix);
    QFile::remove(projectFile);
}

}  // namespace

RecoveryFile::RecoveryFile(const QString& dataFolder)
    : m_folder(QDir(dataFolder).filePath(QLatin1String(FolderName))) {
    QDir().mkpath(m_folder);
    const QString base = slotBase(m_folder);
    m_projectFile = base + kProjectSuffix;
    m_descriptionFile = base + kDescriptionSuffix;
    m_lock = std::make_unique<QLockFile>(base + kLockSuffix);
    // Without the lock the slot still works; only another program could take it for a
    // leftover while this one runs, and it would find the pupil's work offered, not lost.
    m_lock->tryLock(0);
}

RecoveryFile::~RecoveryFile() = default;

Status RecoveryFile::write(const Project& project, const QString& originalPath,
                           const QString& projectName) {
    QString problem;
    const QDateTime now = QDateTime::currentDateTime();
    TpkXML document;
    if (!QDir().mkpath(m_folder) ||
        !ProjectFile::buildDocument(project, document, ProjectFile::Form::Plain, now, &problem) ||
        !document.saveToFile(m_projectFile, &problem)) {
        return Status::error(texts::SaveWriteFailed).withDetail(problem);
    }
    QSaveFile description(m_descriptionFile);
    if (!description.open(QIODevice::WriteOnly) ||
        description.write(describe(project, originalPath, projectName, now)) < 0 ||
        !description.commit()) {
        return Status::error(texts::SaveWriteFailed).withDetail(description.errorString());
    }
    m_written = contents(project);
    return {};
}

bool RecoveryFile::holdsNewWork(const Project& project) const {
    return m_written.isEmpty() || contents(project) != m_written;
}

void RecoveryFile::remove() {
    removeFiles(m_projectFile);
    m_written.clear();
}

bool RecoveryFile::exists() const {
    return QFileInfo::exists(m_projectFile) && QFileInfo::exists(m_descriptionFile);
}

std::vector<RecoveryEntry> RecoveryFile::takeLeftovers() const {
    std::vector<RecoveryEntry> found;
    const QDir folder(m_folder);
    // Pipes and links that lead nowhere too, so that they are cleared away.
    const QStringList descriptions = folder.entryList({QLatin1Char('*') + kDescriptionSuffix},
                                                      QDir::Files | QDir::System, QDir::Name);
    for (const QString& name : descriptions) {
        const QString base = folder.filePath(name.chopped(kDescriptionSuffix.size()));
        const QString projectFile = base + kProjectSuffix;
        if (projectFile == m_projectFile || removeForeignEntries(base) ||
            !QFileInfo::exists(projectFile)) {
            continue;
        }
        // Held by a running program (this one included): its own recovery file, not a leftover.
        auto lock = std::make_shared<QLockFile>(base + kLockSuffix);
        if (!lock->tryLock(0)) {
            continue;
        }
        RecoveryEntry entry = readDescription(base + kDescriptionSuffix);
        if (!entry.savedAt.isValid()) {
            continue;
        }
        entry.projectFile = projectFile;
        entry.lock = lock;
        if (!newerThanItsProject(entry)) {
            discard(entry);
            continue;
        }
        found.push_back(std::move(entry));
    }
    std::sort(found.begin(), found.end(),
              [](const RecoveryEntry& a, const RecoveryEntry& b) { return a.savedAt < b.savedAt; });
    return found;
}

void RecoveryFile::discard(RecoveryEntry& entry) {
    removeFiles(entry.projectFile);
    if (entry.lock) {
        entry.lock->unlock();
        entry.lock.reset();
    }
}

}  // namespace trevalon
