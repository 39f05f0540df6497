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
//
// A run may print without end (up to what the grader keeps of it), so a case shows at most the
// first kHeadLines and the last kTailLines lines of its input and of its diff, and at most
// kLineCharacters characters of a line (its reason too), each cut told in words ("… 12 more
// lines"); nine submissions that print a line of millions of characters still make a page a
// browser opens. setFullOutput(true) shows everything.
class GradeReport {
public:
    static constexpr qsizetype kHeadLines = 40;
    static constexpr qsizetype kTailLines = 10;
    static constexpr qsizetype kLineCharacters = 500;

    GradeReport(const QString& path, const TestSuite& suite, const TextTable& texts);
    ~GradeReport();

    void setFullOutput(bool full) { m_fullOutput = full; }

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
    // One line as the page shows it: escaped, and cut unless the whole output is shown.
    QString lineHtml(const QString& line) const;
    // The lines of `count` a case shows, and where the cut goes: every line, or the head and
    // the tail with `skipped` lines between them.
    struct Shown {
        qsizetype head;
        qsizetype skipped;
    };
    Shown shownLines(qsizetype count) const;
    QString skippedHtml(qsizetype skipped) const;
    QString preLines(const QStringList& lines) const;

    QSaveFile m_file;
    const TestSuite& m_suite;
    const TextTable& m_texts;
    QStringList m_summaryRows;
    bool m_fullOutput = false;
};

}  // namespace trevalon::cli
