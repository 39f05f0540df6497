#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "grading/TestSuite.h"

namespace trevalon {

// One mistake in a tests file: its line (0 for the file as a whole) and what is wrong, in
// words of the text table.
struct SuiteProblem {
    int line;
    QString message;
};

// A suite only when the file had no problem at all; otherwise every problem found, in line
// order, and no suite: grading with half a suite would give pupils wrong points.
struct SuiteReading {
    std::optional<TestSuite> suite;
    std::vector<SuiteProblem> problems;
};

// The largest tests file read; a larger one is one problem, unread.
inline constexpr qsizetype kMaxTestsFileSize = 4 * 1024 * 1024;

// Reads a tests file (format in docs/TESTS.md) from any bytes: text that is not UTF-8, binary
// data, unknown lines, bad numbers or patterns, duplicate case names and cases without output
// are problems with their line numbers, never a crash. Messages are in `language` ("pl" or
// "ang").
SuiteReading readTestSuite(const QByteArray& bytes, const QString& language = QStringLiteral("pl"));

// Reads the file at `path`; one that is missing, not a regular file, unreadable or too large
// is a problem of line 0.
SuiteReading readTestSuiteFile(const QString& path, const QString& language = QStringLiteral("pl"));

}  // namespace trevalon
