#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "FifoWatch.h"
#include "StorageTestSupport.h"
#include "config/TextTable.h"
#include "storage/ProjectFile.h"
#include "storage/RecoveryFile.h"

using namespace trevalon;

namespace {

class RecoveryFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_temp.isValid());
        test::buildSampleProject(*m_project);
    }

    QString data() const { return m_temp.path(); }
    QString original() const { return m_temp.filePath(QStringLiteral("Moje.skb")); }

    // The slot, without its suffix, of a program that wrote its recovery file and ended.
    QString endedSlot() {
        RecoveryFile ended(data());
        EXPECT_TRUE(ended.write(*m_project, QString(), QString()).ok());
        return ended.projectFile().chopped(4);
    }

    QTemporaryDir m_temp;
    std::unique_ptr<Project> m_project = std::make_unique<Project>();
};

TEST_F(RecoveryFileTest, WritesTheProjectIntoItsOwnFolderAndReadsBackTheSame) {
    RecoveryFile recovery(data());
    EXPECT_TRUE(recovery.holdsNewWork(*m_project));
    ASSERT_TRUE(recovery.write(*m_project, original(), QStringLiteral("Moje")).ok());
    EXPECT_TRUE(recovery.exists());
    EXPECT_FALSE(recovery.holdsNewWork(*m_project));
    m_project->board(1).name = QStringLiteral("Inna");
    EXPECT_TRUE(recovery.holdsNewWork(*m_project));
    EXPECT_EQ(QFileInfo(recovery.projectFile()).dir(),
              QDir(QDir(data()).filePath(QStringLiteral("Odzysk"))));
    EXPECT_FALSE(QFileInfo::exists(original()));  // the pupil's own file is never written

    test::RecordingLog log;
    TextTable texts;
    auto read = std::make_unique<Project>();
    ASSERT_TRUE(ProjectFile::load(*read, recovery.projectFile(), log, texts).ok());
    m_project->board(1).name = QStringLiteral("Główna");
    EXPECT_TRUE(test::sameProject(*read, *m_project));

    recovery.remove();
    EXPECT_FALSE(recovery.exists());
}

TEST_F(RecoveryFileTest, TwoRunningProgramsKeepSeparateFilesAndOfferNoneOfThem) {
    RecoveryFile first(data());
    RecoveryFile second(data());
    ASSERT_TRUE(first.write(*m_project, QString(), QString()).ok());
    ASSERT_TRUE(second.write(*m_project, original(), QStringLiteral("Moje")).ok());
    EXPECT_NE(first.projectFile(), second.projectFile());
    EXPECT_TRUE(first.takeLeftovers().empty());
    EXPECT_TRUE(second.takeLeftovers().empty());
    second.remove();
    EXPECT_TRUE(first.exists());
}

TEST_F(RecoveryFileTest, AProgramThatEndedUncleanLeavesItsFileForTheNextStart) {
    {
        RecoveryFile ended(data());
        ASSERT_TRUE(ended.write(*m_project, original(), QStringLiteral("Moje")).ok());
    }
    RecoveryFile next(data());
    auto leftovers = next.takeLeftovers();
    ASSERT_EQ(leftovers.size(), 1U);
    RecoveryEntry& entry = leftovers.front();
    EXPECT_EQ(entry.originalPath, original());
    EXPECT_EQ(entry.projectName, QStringLiteral("Moje"));
    EXPECT_EQ(entry.boardNames.size(), m_project->boardCount);
    EXPECT_EQ(entry.boardNames.value(0), m_project->board(1).name);
    EXPECT_TRUE(entry.savedAt.isValid());

    // While one program holds it, another started at the same time does not offer it.
    RecoveryFile meanwhile(data());
    EXPECT_TRUE(meanwhile.takeLeftovers().empty());

    const QString file = entry.projectFile;
    RecoveryFile::discard(entry);
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(next.takeLeftovers().empty());
}

TEST_F(RecoveryFileTest, ALeftoverOlderThanItsProjectFileIsRemovedUnoffered) {
    QString file;
    {
        RecoveryFile ended(data());
        ASSERT_TRUE(ended.write(*m_project, original(), QStringLiteral("Moje")).ok());
        file = ended.projectFile();
    }
    ASSERT_TRUE(test::writeBytes(original(), "saved later"));
    QFile later(original());
    ASSERT_TRUE(later.open(QIODevice::ReadWrite));
    ASSERT_TRUE(later.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                  QFileDevice::FileModificationTime));
    later.close();
    RecoveryFile next(data());
    EXPECT_TRUE(next.takeLeftovers().empty());
    EXPECT_FALSE(QFileInfo::exists(file));
}

TEST_F(RecoveryFileTest, ADamagedDescriptionIsNeitherOfferedNorRemoved) {
    QString description;
    {
        RecoveryFile ended(data());
        ASSERT_TRUE(ended.write(*m_project, QString(), QString()).ok());
        description = ended.projectFile().chopped(4) + QStringLiteral(".json");
    }
    ASSERT_TRUE(test::writeBytes(description, QByteArray("\0\xff{[", 4)));
    RecoveryFile next(data());
    EXPECT_TRUE(next.takeLeftovers().empty());
    EXPECT_TRUE(QFileInfo::exists(description));
}

// A data folder on a pupil's USB stick can hold anything: a slot with a pipe or a link to one
// under any of its names is passed over without opening it (a pipe waits for a writer, and so
// does the lock, which reads the lock file it finds), and such entries go; a link goes, never
// what it leads to, and the slot's regular files stay. A sound slot beside them is offered.
TEST_F(RecoveryFileTest, PipesAndLinksInASlotArePassedOverUnopenedAndCleared) {
    ASSERT_TRUE(QDir(data()).mkdir(QStringLiteral("elsewhere")));
    const QString target = m_temp.filePath(QStringLiteral("elsewhere/pipe"));
    const test::FifoWatch pipe(target);
    ASSERT_TRUE(pipe.made());
    std::vector<QString> planted;
    std::vector<QString> kept;
    for (const char* suffix : {".json", ".skb", ".lock"}) {
        const QString base = endedSlot();
        planted.push_back(base + QLatin1String(suffix));
        QFile::remove(planted.back());
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(),
                            QFile::encodeName(planted.back()).constData()),
                  0);
        kept.push_back(base + (suffix == QLatin1String(".skb") ? QStringLiteral(".json")
                                                               : QStringLiteral(".skb")));
    }
    const QString plainPipe = endedSlot() + QStringLiteral(".json");
    QFile::remove(plainPipe);
    const test::FifoWatch inSlot(plainPipe);
    ASSERT_TRUE(inSlot.made());
    planted.push_back(plainPipe);
    const QString sound = endedSlot() + QStringLiteral(".skb");

    RecoveryFile next(data());
    const std::vector<RecoveryEntry> leftovers = next.takeLeftovers();
    ASSERT_EQ(leftovers.size(), 1U);
    EXPECT_EQ(leftovers.front().projectFile, sound);
    EXPECT_FALSE(pipe.readerCame());
    EXPECT_FALSE(inSlot.readerCame());
    for (const QString& path : planted) {
        const QFileInfo left(path);
        EXPECT_FALSE(left.exists() || left.isSymLink()) << qPrintable(path);
    }
    for (const QString& path : kept) {
        EXPECT_TRUE(QFileInfo(path).isFile()) << qPrintable(path);
    }
    EXPECT_TRUE(QFileInfo::exists(target));
}

}  // namespace
