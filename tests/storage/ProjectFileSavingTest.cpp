#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>
#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <memory>

#include "StorageTestSupport.h"
#include "config/TextTable.h"
#include "storage/ProjectFile.h"

using namespace trevalon;
using test::RecordingLog;
using test::RecordingSink;

namespace {

// What a save answered, with its status shown as the program shows it.
struct SaveOutcome {
    bool saved = false;
    RecordingSink sink;
    RecordingLog log;
    QString detail;
};

std::unique_ptr<SaveOutcome> save(const Project& project, const QString& path) {
    auto outcome = std::make_unique<SaveOutcome>();
    TextTable texts;
    const Status status = ProjectFile::save(project, path, outcome->log, texts);
    outcome->saved = status.ok();
    outcome->detail = status.detail();
    outcome->sink.showStatus(status, texts);
    return outcome;
}

std::unique_ptr<Project> sample() {
    auto project = std::make_unique<Project>();
    test::buildSampleProject(*project);
    return project;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// Lowers the largest file this process may write, so that a write stops half way even for
// root; the signal such a write raises is ignored for the time.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
    bool m_active = false;
};

}  // namespace

TEST(ProjectFileSaving, WritesTheSaveTimeAndKeepsTheNote) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.skb"));
    const QString before = ProjectFile::formatSaveTime(QDateTime::currentDateTime());
    const auto outcome = save(*sample(), path);
    const QString after = ProjectFile::formatSaveTime(QDateTime::currentDateTime());
    ASSERT_TRUE(outcome->saved);
    auto loaded = std::make_unique<Project>();
    RecordingLog log;
    ASSERT_TRUE(ProjectFile::load(*loaded, path, log, TextTable()).ok());
    EXPECT_GE(loaded->lastModified, before);
    EXPECT_LE(loaded->lastModified, after);
    EXPECT_EQ(loaded->note, QStringLiteral("Zespół Szkół nr 1"));
}

TEST(ProjectFileSaving, ReplacingAnOldFileLeavesNoTemporaryFiles) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.skb"));
    ASSERT_TRUE(test::writeBytes(path, "old content"));
    ASSERT_TRUE(save(*sample(), path)->saved);
    EXPECT_TRUE(test::readBytes(path).startsWith("<?xml encoding=\"WINDOWS-1250\"?>\r\n"));
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("a.skb")});
}

// Each case leaves something in the way of the save; the save must fail with text 372 and
// leave what was there exactly as it was.
TEST(ProjectFileSavingFailure, FailedSaveReportsAndLeavesThePreviousFile) {
    QTemporaryDir dir;
    const QByteArray previous = "<?xml encoding=\"WINDOWS-1250\"?>\r\n<Trevalon>old</Trevalon>";
    const struct {
        const char* what;
        std::function<QString(const QString&)> prepare;  // answers the path to save to
        QString witness;                                 // a file that must stay unchanged
    } cases[] = {
        {"the folder is a file",
         [&](const QString& root) {
             test::writeBytes(root + QStringLiteral("/folder"), previous);
             return root + QStringLiteral("/folder/a.skb");
         },
         QStringLiteral("folder")},
        {"a folder stands where the file should be",
         [&](const QString& root) {
             QDir(root).mkpath(QStringLiteral("a.skb"));
             test::writeBytes(root + QStringLiteral("/a.skb/inside"), previous);
             return root + QStringLiteral("/a.skb");
         },
         QStringLiteral("a.skb/inside")},
        {"two folder levels are missing",
         [&](const QString& root) {
             test::writeBytes(root + QStringLiteral("/keep"), previous);
             return root + QStringLiteral("/x/y/a.skb");
         },
         QStringLiteral("keep")},
    };
    TextTable texts;
    for (const auto& c : cases) {
        QTemporaryDir caseDir(dir.filePath(QStringLiteral("case-XXXXXX")));
        const QString path = c.prepare(caseDir.path());
        const QStringList before = entries(caseDir.path());
        const auto outcome = save(*sample(), path);
        EXPECT_FALSE(outcome->saved) << c.what;
        EXPECT_EQ(outcome->sink.messages, QStringList{texts.text(texts::SaveWriteFailed)})
            << c.what;
        ASSERT_EQ(outcome->log.lines.size(), 1) << c.what;
        EXPECT_TRUE(outcome->log.lines[0].startsWith(texts.text(texts::SaveWriteFailed))) << c.what;
        // The system's cause reaches the caller and the log alike.
        EXPECT_FALSE(outcome->detail.isEmpty()) << c.what;
        EXPECT_TRUE(outcome->log.lines[0].endsWith(QStringLiteral(": ") + outcome->detail))
            << c.what;
        EXPECT_EQ(test::readBytes(caseDir.filePath(c.witness)), previous) << c.what;
        EXPECT_EQ(entries(caseDir.path()), before) << c.what;
    }
}

TEST(ProjectFileSavingFailure, WriteStoppedHalfWayKeepsTheOldFileByteForByte) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("praca.skb"));
    auto small = std::make_unique<Project>();
    ASSERT_TRUE(save(*small, path)->saved);
    const QByteArray previous = test::readBytes(path);
    ASSERT_GT(previous.size(), 100);
    std::unique_ptr<SaveOutcome> outcome;
    {
        // The sample project needs well over a kilobyte; the old file fits under the limit.
        FileSizeLimit limit(static_cast<rlim_t>(previous.size() + 64));
        ASSERT_TRUE(limit.active());
        outcome = save(*sample(), path);
    }
    EXPECT_FALSE(outcome->saved);
    EXPECT_EQ(outcome->sink.messages, QStringList{TextTable().text(texts::SaveWriteFailed)});
    EXPECT_EQ(test::readBytes(path), previous);
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("praca.skb")});
}

TEST(ProjectFileSavingFailure, FolderOfAReadOnlyFileSystemRefusesEvenRoot) {
    if (!QFileInfo(QStringLiteral("/proc/self")).isDir()) {
        GTEST_SKIP() << "no /proc here";
    }
    const QString path = QStringLiteral("/proc/trevalon-save-test.skb");
    const auto outcome = save(*sample(), path);
    EXPECT_FALSE(outcome->saved);
    EXPECT_EQ(outcome->sink.messages, QStringList{TextTable().text(texts::SaveWriteFailed)});
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(ProjectFileSavingFailure, ReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders; the other failure cases cover root";
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.skb"));
    ASSERT_TRUE(test::writeBytes(path, "old"));
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const auto outcome = save(*sample(), path);
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(outcome->saved);
    EXPECT_EQ(outcome->sink.messages, QStringList{TextTable().text(texts::SaveWriteFailed)});
    EXPECT_EQ(test::readBytes(path), QByteArray("old"));
}

TEST(ProjectFileSavingFailure, ProjectThatCannotBeWrittenShowsText371) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.skb"));
    ASSERT_TRUE(test::writeBytes(path, "old"));
    for (const int boards : {0, 4, -1}) {
        auto project = sample();
        project->boardCount = boards;
        const auto outcome = save(*project, path);
        EXPECT_FALSE(outcome->saved);
        EXPECT_EQ(outcome->sink.messages,
                  QStringList{TextTable().text(texts::SavePreparationFailed)});
        ASSERT_EQ(outcome->log.lines.size(), 1);
        EXPECT_TRUE(outcome->log.lines[0].contains(QString::number(boards)));
        EXPECT_EQ(test::readBytes(path), QByteArray("old"));
    }
}

TEST(ProjectFileSavingFailure, LogLineWaitsForTheLogLevel) {
    QTemporaryDir dir;
    auto outcome = std::make_unique<SaveOutcome>();
    RecordingLog quiet(1);
    TextTable texts;
    const Status saved =
        ProjectFile::save(*sample(), dir.filePath(QStringLiteral("x/y/a.skb")), quiet, texts);
    EXPECT_EQ(saved.text(), texts::SaveWriteFailed);
    EXPECT_FALSE(saved.detail().isEmpty());
    EXPECT_TRUE(quiet.lines.isEmpty());
}
