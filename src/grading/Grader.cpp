#include "grading/Grader.h"

#include <QFileInfo>
#include <condition_variable>
#include <map>
#include <mutex>
#include <new>
#include <stop_token>
#include <thread>

#include "config/EventLog.h"
#include "config/OutsideText.h"
#include "config/TextTable.h"
#include "model/Project.h"
#include "storage/ProjectFile.h"

namespace trevalon {
namespace {

// A message of the text table on one line, as a report's cell holds it.
QString oneLine(QString text) {
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text.simplified();
}

// Loads `path` with ProjectFile::load; the reason of a failure otherwise.
std::unique_ptr<Project> loadSubmission(const QString& path, const TextTable& texts,
                                        QString& problem) {
    auto project = std::make_unique<Project>();
    NoEventLog log;
    const ProjectOpening opening = ProjectFile::load(*project, path, log, texts);
    switch (opening.refusal) {
        case ProjectOpening::Refusal::None:
            return project;
        case ProjectOpening::Refusal::NotAProject:
            problem = texts.text(texts::GradeNotProject);
            break;
        case ProjectOpening::Refusal::Unreadable:
            problem = texts.text(texts::GradeUnreadable)
                          .arg(fileProblemText(opening.problem, opening.error, texts,
                                               texts::ProjectFileMissing));
            break;
        case ProjectOpening::Refusal::Damaged:
            problem =
                texts.text(texts::GradeUnreadable).arg(oneLine(opening.status.message(texts)));
            break;
    }
    return nullptr;
}

// How many results each thread may finish ahead of the one the caller waits for.
constexpr qsizetype kWaitingPerThread = 64;

// Results finished out of order wait here until the caller takes them in order.
class OrderedResults {
public:
    OrderedResults(qsizetype count, qsizetype window) : m_count(count), m_window(window) {}

    // The next submission to grade, waiting while too many results wait; -1 when none is left
    // or `stop` was asked for (the caller gave up waiting for results).
    qsizetype take(std::stop_token stop) {
        std::unique_lock lock(m_mutex);
        m_room.wait(lock, stop,
                    [this] { return m_next >= m_count || m_next < m_handed + m_window; });
        return m_next < m_count && !stop.stop_requested() ? m_next++ : -1;
    }
    void put(qsizetype index, SubmissionResult&& result) {
        bool awaited = false;
        {
            std::lock_guard lock(m_mutex);
            m_done.emplace(index, std::move(result));
            awaited = index == m_handed;
        }
        // Only the result the caller waits for wakes it; the others it finds when it gets there.
        if (awaited) {
            m_ready.notify_one();
        }
    }
    // The result of `index`, once it is done.
    SubmissionResult get(qsizetype index) {
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [&] { return m_done.count(index) > 0; });
        SubmissionResult result = std::move(m_done.at(index));
        m_done.erase(index);
        m_handed = index + 1;
        lock.unlock();
        m_room.notify_all();
        return result;
    }

private:
    std::mutex m_mutex;
    std::condition_variable_any m_room;  // stoppable: a caller that gives up must not wait
    std::condition_variable m_ready;
    std::map<qsizetype, SubmissionResult> m_done;
    const qsizetype m_count;
    const qsizetype m_window;
    qsizetype m_next = 0;
    qsizetype m_handed = 0;
};

}  // namespace

QString submissionName(const QString& path) {
    return shownText(QFileInfo(path).fileName());
}

Grader::Grader(const TestSuite& suite, const QString& language)
    : m_suite(suite), m_language(language) {}

int Grader::jobs() const {
    if (m_jobs > 0) {
        return m_jobs;
    }
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

SubmissionResult Grader::gradeOne(const QString& path) const {
    TextTable texts;
    texts.setLanguage(m_language);
    SubmissionResult result;
    result.path = path;
    result.name = submissionName(path);
    result.maxPoints = m_suite.maxPoints();
    std::unique_ptr<Project> project = loadSubmission(path, texts, result.problem);
    if (!project) {
        return result;
    }
    result.graded = true;
    for (const TestCase& testCase : m_suite.cases) {
        result.cases.push_back(runCase(*project, testCase, m_suite, texts));
        result.points += result.cases.back().points;
    }
    if (m_keepProjects) {
        result.project = std::move(project);
    }
    return result;
}

SubmissionResult Grader::gradeGuarded(const QString& path) const {
    // The boundary of a worker thread: an exception that left it would end the program.
    try {
        return gradeOne(path);
    } catch (const std::bad_alloc&) {
        return unfinished(path, texts::GradeOutOfMemory);
    } catch (...) {
        return unfinished(path, texts::GradeFailed);
    }
}

SubmissionResult Grader::unfinished(const QString& path, int reason) const {
    SubmissionResult result;
    result.path = path;
    result.name = QFileInfo(path).fileName();
    result.maxPoints = m_suite.maxPoints();
    result.problem = TextTable::text(reason, m_language);
    return result;
}

void Grader::hand(const ResultSink& sink, SubmissionResult&& result) {
    try {
        sink(result);
    } catch (const std::bad_alloc&) {
        for (CaseResult& c : result.cases) {
            c.actual.clear();
            c.actual.squeeze();
        }
        sink(result);
    }
}

void Grader::grade(const QStringList& paths, const ResultSink& sink) const {
    const int threads = std::min<qsizetype>(jobs(), paths.size());
    if (threads <= 1) {
        for (const QString& path : paths) {
            hand(sink, gradeGuarded(path));
        }
        return;
    }
    // Room for a slow submission (an endless loop at its limits) to hold the line while the
    // other threads go on well past it; still a bound, so memory stays flat.
    OrderedResults results(paths.size(), kWaitingPerThread * static_cast<qsizetype>(threads));
    // Joined when they go out of scope, also when `sink` throws: each is asked to stop first,
    // finishes the submission in hand and takes no other.
    std::vector<std::jthread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&](std::stop_token stop) {
            for (qsizetype i = results.take(stop); i >= 0; i = results.take(stop)) {
                results.put(i, gradeGuarded(paths[i]));
            }
        });
    }
    for (qsizetype i = 0; i < paths.size(); ++i) {
        hand(sink, results.get(i));
    }
}

}  // namespace trevalon
