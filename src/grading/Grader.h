#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "grading/CaseRunner.h"
#include "grading/TestSuite.h"

namespace trevalon {

class Project;
class TextTable;

// One submission graded: every case's result, or why it could not be graded at all.
struct SubmissionResult {
    QString path;
    QString name;         // submissionName(path)
    bool graded = false;  // false: not a project file, missing, unreadable or damaged
    QString problem;      // why it was not graded, in words of the text table
    std::vector<CaseResult> cases;
    int points = 0;
    int maxPoints = 0;  // the suite's maximum, also for a submission not graded
    // The loaded project, kept only when Grader::setKeepProjects(true) (a report draws it).
    std::shared_ptr<const Project> project;
};

// The file name of `path` (a name as nameFromNative makes it) as every report shows it: its
// bytes that are not UTF-8 and its control characters escaped (see shownText).
QString submissionName(const QString& path);

// Grades submissions against a suite on a pool of threads. Each worker loads its submission
// with ProjectFile and runs every case through runCase(), in workspaces of its own; the suite
// is only read. A file that cannot be graded is a result with its reason, never the end of
// the batch, nor is memory refused while one is graded, nor an exception thrown while one is
// graded: it ends that submission's grading with texts::GradeFailed. Results reach the caller
// in submission order, on the calling thread, whatever the number of threads; at most 64 per
// thread wait to be handed over (room for a slow one to hold the line while the others go on),
// so memory stays flat however many submissions there are.
class Grader {
public:
    // `suite` must outlive the grader. `language` is "pl" or "ang".
    Grader(const TestSuite& suite, const QString& language);
    virtual ~Grader() = default;

    // How many threads grade; 0 (the default) for as many as the machine has cores.
    void setJobs(int jobs) { m_jobs = jobs; }
    int jobs() const;
    void setKeepProjects(bool keep) { m_keepProjects = keep; }

    using ResultSink = std::function<void(const SubmissionResult& result)>;
    // Grades `paths` in order and hands each result to `sink` before the next one. A path is a
    // name as nameFromNative makes it, so any file the system has can be named. An exception
    // thrown by `sink` ends the grading: the threads finish the submission in hand and are
    // joined, and the exception reaches the caller.
    void grade(const QStringList& paths, const ResultSink& sink) const;

    // Grades one submission on the calling thread.
    virtual SubmissionResult gradeOne(const QString& path) const;

private:
    // gradeOne, where memory the system refuses (std::bad_alloc) or any exception thrown while
    // the submission is loaded or graded ends that submission's grading with its reason, never
    // the batch.
    SubmissionResult gradeGuarded(const QString& path) const;
    SubmissionResult unfinished(const QString& path, int reason) const;
    // Hands a result to the sink; one too large to be written out goes without its printed
    // lines rather than not at all.
    static void hand(const ResultSink& sink, SubmissionResult&& result);

    const TestSuite& m_suite;
    QString m_language;
    int m_jobs = 0;
    bool m_keepProjects = false;
};

}  // namespace trevalon
