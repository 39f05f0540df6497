#pragma once

#include <QSaveFile>
#include <QStringList>
#include <memory>

#include "grading/Grader.h"
#include "grading/TestSuite.h"

namespace trevalon {
class TextTable;
}

namespace trevalon::cli {

// The HTML report of `trevalon-cli grade --html`: one self-contained page (inline CSS, board
// pictures as data: URIs, no script, nothing fetched) written as results come, so that only
// the summary rows are kept until the end; the summary is written last and shown first. Every
// text that comes from a submission or the tests file is HTML-escaped, its control characters
// written as shownText writes them. The file replaces REPORT only when it is complete.
class GradeReport {
public:
    GradeReport(const QString& path, const TestSuite& suite, const TextTable& texts);
    ~GradeReport();

    // False, with the system's reason, when the file cannot be opened.
    bool open(QString* reason);
    void submission(const SubmissionResult& result);
    // Writes the summary and the end of the page; false, with the reason, on a write failure.
    bool finish(QString* reason);

    static QString escaped(const QString& text);

private:
    void write(const QString& html);
    void writeCase(const TestCase& testCase, const CaseResult& result);
    void writeDiff(const TestCase& testCase, const CaseResult& result);

    QSaveFile m_file;
    const TestSuite& m_suite;
    const TextTable& m_texts;
    QStringList m_summaryRows;
};

}  // namespace trevalon::cli
