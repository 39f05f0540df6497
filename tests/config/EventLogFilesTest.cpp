#include "config/EventLogFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "Recorders.h"
#include "config/MessageSink.h"
#include "config/TextTable.h"

using trevalon::EventLogFiles;
using trevalon::MessageSink;
using trevalon::TextTable;

namespace {

class EventLogFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_temp.isValid()); }

    void create(const QString& name, const QByteArray& bytes = "line\r\n") {
        QFile file(m_temp.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList entries() const {
        return QDir(m_temp.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir m_temp;
    TextTable texts;
    trevalon::test::RecordingSink sink;
};

}  // namespace

TEST_F(EventLogFilesTest, ListsTextFilesSortedByName) {
    for (const char* name : {"Dz_20240102000000.txt", "Dz_20231231235959.txt", "notes.TXT",
                             ".hidden.txt", "a.btxt", "readme", "txt", "log.txt.bak", "plain.xt"}) {
        create(QString::fromLatin1(name));
    }
    ASSERT_TRUE(QDir(m_temp.path()).mkdir(QStringLiteral("folder.txt")));
    EventLogFiles files(m_temp.path());
    EXPECT_EQ(files.list(), (QStringList{".hidden.txt", "Dz_20231231235959.txt",
                                         "Dz_20240102000000.txt", "a.btxt", "notes.TXT"}));
}

TEST_F(EventLogFilesTest, OpeningSelectsAndLoadsTheNewest) {
    create(QStringLiteral("Dz_20240101000000.txt"), "old\r\n");
    create(QStringLiteral("Dz_20240301101010.txt"), "Koniec pracy. \xB3\xB9 - 2024/03/01\r\n");
    EventLogFiles files(m_temp.path());
    ASSERT_TRUE(files.open(sink, texts));
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_EQ(files.names().size(), 2);
    EXPECT_EQ(files.selected(), QStringLiteral("Dz_20240301101010.txt"));
    EXPECT_EQ(files.text(), QString::fromUtf8("Koniec pracy. łą - 2024/03/01\r\n"));

    ASSERT_TRUE(files.select(QStringLiteral("Dz_20240101000000.txt"), sink, texts));
    EXPECT_EQ(files.text(), QStringLiteral("old\r\n"));
}

TEST_F(EventLogFilesTest, AnEmptyFileIsReadableText) {
    create(QStringLiteral("Dz_1.txt"), QByteArray());
    EventLogFiles files(m_temp.path());
    ASSERT_TRUE(files.open(sink, texts));
    EXPECT_TRUE(files.text().isEmpty());
    EXPECT_FALSE(files.text().isNull());
}

TEST_F(EventLogFilesTest, NoLogFilesIsReported) {
    create(QStringLiteral("other.dat"));
    for (const QString& folder : {m_temp.path(), m_temp.filePath(QStringLiteral("missing"))}) {
        sink.clear();
        EventLogFiles files(folder);
        EXPECT_FALSE(files.open(sink, texts));
        ASSERT_EQ(sink.shown.size(), 1);
        EXPECT_EQ(sink.shown[0].text, texts.text(trevalon::texts::EventLogNoFiles));
        EXPECT_EQ(sink.shown[0].buttons, MessageSink::Close);
    }
}

TEST_F(EventLogFilesTest, UnreadableFileIsReportedWithItsPath) {
    create(QStringLiteral("Dz_1.txt"), "kept\r\n");
    ASSERT_TRUE(QFile::link(m_temp.filePath(QStringLiteral("nowhere")),
                            m_temp.filePath(QStringLiteral("Dz_2.txt"))));
    EventLogFiles files(m_temp.path());
    EXPECT_FALSE(files.open(sink, texts));
    ASSERT_EQ(sink.shown.size(), 1);
    EXPECT_EQ(sink.shown[0].text, texts.text(trevalon::texts::EventLogLoadProblem) +
                                      m_temp.filePath(QStringLiteral("Dz_2.txt")) +
                                      QStringLiteral(".\r") +
                                      texts.text(trevalon::texts::EventLogFileDamaged));

    // Choosing a damaged file later keeps the text on view.
    ASSERT_TRUE(files.select(QStringLiteral("Dz_1.txt"), sink, texts));
    EXPECT_FALSE(files.select(QStringLiteral("Dz_2.txt"), sink, texts));
    EXPECT_EQ(files.selected(), QStringLiteral("Dz_1.txt"));
    EXPECT_EQ(files.text(), QStringLiteral("kept\r\n"));
}

TEST_F(EventLogFilesTest, ClearingAsksAndKeepsOnlyTheSelectedFile) {
    for (const char* name : {"Dz_1.txt", "Dz_2.txt", "Dz_3.txt", "dz_2.txt", "stray.bin"}) {
        create(QString::fromLatin1(name));
    }
    ASSERT_TRUE(QDir(m_temp.path()).mkdir(QStringLiteral("sub")));
    EventLogFiles files(m_temp.path());
    ASSERT_TRUE(files.open(sink, texts));
    ASSERT_TRUE(files.select(QStringLiteral("Dz_2.txt"), sink, texts));

    sink.answer = MessageSink::ResultNo;
    EXPECT_FALSE(files.clearOthers(sink, texts));
    EXPECT_EQ(entries().size(), 6);
    ASSERT_EQ(sink.shown.size(), 1);
    EXPECT_EQ(sink.shown[0].text, texts.text(trevalon::texts::EventLogConfirmClear));
    EXPECT_EQ(sink.shown[0].icon, MessageSink::Question);

    sink.answer = MessageSink::ResultYes;
    EXPECT_TRUE(files.clearOthers(sink, texts));
    // The newer run's file goes too; folders stay; names compare with case.
    EXPECT_EQ(entries(), (QStringList{"Dz_2.txt", "sub"}));
    EXPECT_EQ(files.names(), QStringList{"Dz_2.txt"});
    EXPECT_EQ(files.selected(), QStringLiteral("Dz_2.txt"));
    EXPECT_EQ(files.text(), QStringLiteral("line\r\n"));
}

TEST_F(EventLogFilesTest, NothingIsClearedWithoutASelection) {
    create(QStringLiteral("Dz_1.txt"));
    EventLogFiles files(m_temp.path());
    sink.answer = MessageSink::ResultYes;
    EXPECT_FALSE(files.clearOthers(sink, texts));
    EXPECT_EQ(entries(), QStringList{"Dz_1.txt"});
}
