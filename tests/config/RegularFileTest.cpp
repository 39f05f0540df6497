#include "config/RegularFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "FifoWatch.h"

using trevalon::RegularFile;
using Status = RegularFile::Status;
using trevalon::test::FifoWatch;

namespace {

constexpr qint64 Bound = 16;

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool link(const QString& target, const QString& path) {
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) ==
           0;
}

// What stands at a path: made in `folder` under the name "it", a pipe kept in `pipe`.
struct Row {
    const char* what;
    std::function<bool(const QString& folder, std::unique_ptr<FifoWatch>& pipe)> make;
    Status status;
    QByteArray bytes;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.what;
}

QString it(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("it"));
}

std::unique_ptr<FifoWatch>& watched(std::unique_ptr<FifoWatch>& pipe, const QString& path) {
    pipe = std::make_unique<FifoWatch>(path);
    return pipe;
}

class RegularFileReading : public ::testing::TestWithParam<Row> {};

}  // namespace

// Only a regular file is read, whatever else stands at its path, and nothing waits: a pipe is
// never opened (its watch would have seen the reader), a device is not read from.
TEST_P(RegularFileReading, ReadsOnlyARegularFileWithinItsBound) {
    const Row& row = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    std::unique_ptr<FifoWatch> pipe;
    ASSERT_TRUE(row.make(folder.path(), pipe)) << row.what;
    const RegularFile::Contents read = RegularFile::read(it(folder.path()), Bound);
    EXPECT_EQ(read.status, row.status);
    EXPECT_EQ(read.bytes, row.bytes);
    if (pipe) {
        ASSERT_TRUE(pipe->made());
        EXPECT_FALSE(pipe->readerCame()) << "the pipe was opened for reading";
    }
}

INSTANTIATE_TEST_SUITE_P(
    WhatStandsThere, RegularFileReading,
    ::testing::Values(
        Row{"a regular file", [](const QString& f, auto&) { return writeFile(it(f), "<Ini/>"); },
            Status::Read, "<Ini/>"},
        Row{"an empty file", [](const QString& f, auto&) { return writeFile(it(f), ""); },
            Status::Read, ""},
        Row{"a file of exactly the bound",
            [](const QString& f, auto&) { return writeFile(it(f), QByteArray(Bound, 'x')); },
            Status::Read, QByteArray(Bound, 'x')},
        Row{"a file one byte over the bound",
            [](const QString& f, auto&) { return writeFile(it(f), QByteArray(Bound + 1, 'x')); },
            Status::TooLarge, ""},
        Row{"a link to a regular file",
            [](const QString& f, auto&) {
                return writeFile(f + QStringLiteral("/target"), "abc") &&
                       link(f + QStringLiteral("/target"), it(f));
            },
            Status::Read, "abc"},
        Row{"nothing", [](const QString&, auto&) { return true; }, Status::Missing, ""},
        Row{"a dangling link",
            [](const QString& f, auto&) { return link(f + QStringLiteral("/gone"), it(f)); },
            Status::Missing, ""},
        Row{"a link loop",
            [](const QString& f, auto&) {
                return link(f + QStringLiteral("/other"), it(f)) &&
                       link(it(f), f + QStringLiteral("/other"));
            },
            Status::NotRegular, ""},
        Row{"a folder", [](const QString& f, auto&) { return QDir(f).mkdir(QStringLiteral("it")); },
            Status::NotRegular, ""},
        Row{"a named pipe",
            [](const QString& f, auto& pipe) { return watched(pipe, it(f))->made(); },
            Status::NotRegular, ""},
        Row{"a link to a named pipe",
            [](const QString& f, auto& pipe) {
                return watched(pipe, f + QStringLiteral("/pipe"))->made() &&
                       link(f + QStringLiteral("/pipe"), it(f));
            },
            Status::NotRegular, ""},
        Row{"a link to an endless device",
            [](const QString& f, auto&) { return link(QStringLiteral("/dev/zero"), it(f)); },
            Status::NotRegular, ""}));

// A log line goes only into a regular file of its own: never through a link, never into a pipe
// (even one with a reader, which would take it), and never waiting for a reader.
TEST(RegularFileAppending, AppendsOnlyToARegularFileOrANewOne) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString log = folder.filePath(QStringLiteral("log.txt"));
    EXPECT_TRUE(RegularFile::append(log, "one\n"));
    EXPECT_TRUE(RegularFile::append(log, "two\n"));
    EXPECT_EQ(RegularFile::read(log, Bound).bytes, QByteArray("one\ntwo\n"));

    const QString linked = folder.filePath(QStringLiteral("linked.txt"));
    ASSERT_TRUE(link(log, linked));
    EXPECT_FALSE(RegularFile::append(linked, "three\n"));
    EXPECT_EQ(RegularFile::read(log, Bound).bytes, QByteArray("one\ntwo\n"));

    const QString pipe = folder.filePath(QStringLiteral("pipe.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(RegularFile::append(pipe, "lost\n"));  // no reader: it would wait for one
    const int reader = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_FALSE(RegularFile::append(pipe, "lost\n"));
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0) << "a byte reached the pipe";
    ::close(reader);
}
