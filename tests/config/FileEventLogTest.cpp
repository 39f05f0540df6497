#include "config/FileEventLog.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using trevalon::FileEventLog;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FileEventLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_temp.isValid());
        m_path = m_temp.filePath(QStringLiteral("Dz_20240101120000.txt"));
        log.setClock([this] { return now; });
    }

    QTemporaryDir m_temp;
    QString m_path;
    QDateTime now{QDate(2024, 1, 2), QTime(9, 5, 7)};
    FileEventLog log;
};

}  // namespace

TEST(FileEventLogLine, MessageDateAndTimeInWindows1250) {
    const struct Row {
        const char* message;
        QDateTime when;
        QByteArray bytes;
    } rows[] = {
        {"Koniec pracy.", QDateTime(QDate(2012, 7, 13), QTime(14, 3, 9)),
         "Koniec pracy. - 2012/07/13 14:03:09\r\n"},
        {"Uruchomiono poprawnie aplikację.", QDateTime(QDate(2012, 7, 13), QTime(0, 0, 1)),
         "Uruchomiono poprawnie aplikacj\xEA. - 2012/07/13 00:00:01\r\n"},
        // At exactly midnight the time is left out.
        {"Zażółć", QDateTime(QDate(1999, 12, 31), QTime(0, 0)),
         "Za\xBF\xF3\xB3\xE6 - 1999/12/31\r\n"},
        // Each line break becomes a line of the file; the date follows the last one.
        {"Badanie formuły. \nNieznana zmienna: x", QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)),
         "Badanie formu\xB3y. \r\nNieznana zmienna: x - 2024/02/29 23:59:59\r\n"},
        {"a\r\nb\rc\n", QDateTime(QDate(2024, 1, 1), QTime(1, 2, 3)),
         "a\r\nb\r\nc\r\n - 2024/01/01 01:02:03\r\n"},
        {"", QDateTime(QDate(2024, 1, 1), QTime(1, 2, 3)), " - 2024/01/01 01:02:03\r\n"},
        {"жук", QDateTime(QDate(2024, 1, 1), QTime(1, 2, 3)), "??? - 2024/01/01 01:02:03\r\n"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FileEventLog::formatLine(QString::fromUtf8(row.message), row.when), row.bytes)
            << row.message;
    }
}

TEST_F(FileEventLogTest, CreatesTheFileAndAppendsLines) {
    log.setFilePath(m_path);
    log.log(QStringLiteral("one"));
    now = now.addSecs(61);
    log.log(QStringLiteral("two\nthree"));
    EXPECT_EQ(readAll(m_path), QByteArray("one - 2024/01/02 09:05:07\r\n"
                                          "two\r\nthree - 2024/01/02 09:06:08\r\n"));
}

TEST_F(FileEventLogTest, KeepsWhatAnEarlierRunOfTheSameNameWrote) {
    QFile existing(m_path);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("earlier\r\n");
    existing.close();
    log.setFilePath(m_path);
    log.log(QStringLiteral("later"));
    EXPECT_EQ(readAll(m_path), QByteArray("earlier\r\nlater - 2024/01/02 09:05:07\r\n"));
}

TEST_F(FileEventLogTest, LinesBeforeThePathIsKnownAreWrittenFirst) {
    log.log(QStringLiteral("early"));
    for (int i = 0; i < FileEventLog::MaxPendingLines + 20; ++i) {
        log.log(QStringLiteral("x"));
    }
    log.setFilePath(m_path);
    log.log(QStringLiteral("late"));
    const QList<QByteArray> lines = readAll(m_path).split('\n');
    ASSERT_EQ(lines.size(), FileEventLog::MaxPendingLines + 2);  // the last split is empty
    EXPECT_EQ(lines.first(), QByteArray("early - 2024/01/02 09:05:07\r"));
    EXPECT_EQ(lines[lines.size() - 2], QByteArray("late - 2024/01/02 09:05:07\r"));
}

TEST_F(FileEventLogTest, FailuresAreSwallowed) {
    const QString inMissingFolder = m_temp.filePath(QStringLiteral("gone/Dz_1.txt"));
    log.setFilePath(inMissingFolder);
    log.log(QStringLiteral("lost"));
    EXPECT_FALSE(QFile::exists(inMissingFolder));

    // The log file was deleted by the viewer: the next line creates it again.
    log.setFilePath(m_path);
    log.log(QStringLiteral("first"));
    ASSERT_TRUE(QFile::remove(m_path));
    log.log(QStringLiteral("again"));
    EXPECT_EQ(readAll(m_path), QByteArray("again - 2024/01/02 09:05:07\r\n"));
}

TEST(FileEventLogLevel, LogAboveWritesOnlyAboveTheThreshold) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString path = temp.filePath(QStringLiteral("log.txt"));
    int level = 3;
    FileEventLog log;
    log.setLevelSource([&level] { return level; });
    log.setFilePath(path);
    log.logAbove(3, QStringLiteral("settings"));
    log.logAbove(2, QStringLiteral("detail"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.contains("settings"));
    EXPECT_TRUE(bytes.startsWith("detail - "));
}
