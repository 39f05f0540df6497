#pragma once

#include <QStringList>
#include <QTextStream>

#include "grading/Grader.h"
#include "grading/TestSuite.h"

namespace trevalon::cli {

// How `trevalon-cli grade` prints its results as they come: a header, one part per submission in
// order, an ending. The forms are documented in CLI.md.
class GradeOutput {
public:
    virtual ~GradeOutput() = default;
    virtual void begin(const TestSuite& suite, const QStringList& paths) = 0;
    virtual void submission(const SubmissionResult& result) = 0;
    virtual void end() {}
};

// The table for a terminal: "TITLE: N cases, P points", then per submission its name, its
// points of the maximum and one mark per case (see outcomeMark), or "!" and the reason it was
// not graded. Every text is written through shownText, so a row is one line whatever a name
// holds.
class TableOutput : public GradeOutput {
public:
    explicit TableOutput(QTextStream& out) : m_out(out) {}
    void begin(const TestSuite& suite, const QStringList& paths) override;
    void submission(const SubmissionResult& result) override;

private:
    QTextStream& m_out;
    qsizetype m_nameWidth = 0;
    qsizetype m_pointsWidth = 0;
};

// One JSON object per submission and line.
class JsonOutput : public GradeOutput {
public:
    explicit JsonOutput(QTextStream& out) : m_out(out) {}
    void begin(const TestSuite& suite, const QStringList& paths) override;
    void submission(const SubmissionResult& result) override;

private:
    QTextStream& m_out;
    const TestSuite* m_suite = nullptr;
};

// RFC 4180 CSV for a spreadsheet: a header row, then per submission its points per case; the
// names and the problem are written by csvCell as texts, so no name runs as a formula.
class CsvOutput : public GradeOutput {
public:
    explicit CsvOutput(QTextStream& out) : m_out(out) {}
    void begin(const TestSuite& suite, const QStringList& paths) override;
    void submission(const SubmissionResult& result) override;

private:
    QTextStream& m_out;
    std::size_t m_cases = 0;
};

}  // namespace trevalon::cli
