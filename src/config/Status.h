#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace trevalon {

class TextTable;

// The outcome of an operation that may fail, returned instead of shown: the caller (a window,
// the command-line tool, the grader, the server) decides how a failure reaches the user.
// An OK status holds nothing and costs a null pointer; a failure holds the text-table number of
// its message, the arguments for the message's %1, %2, ... and how serious it is.
//
//     const Status saved = ProjectFile::save(project, path, log, texts);
//     if (!saved.ok()) {
//         sink.showStatus(saved, texts);  // MessageSink: its message, icon and Close button
//     }
class Status {
public:
    enum class Severity { Information, Warning };

    Status() = default;
    static Status okStatus() { return {}; }
    static Status error(int text, QStringList arguments = {},
                        Severity severity = Severity::Warning);
    static Status information(int text, QStringList arguments = {}) {
        return error(text, std::move(arguments), Severity::Information);
    }

    bool ok() const { return !m_failure; }
    // The message's text-table number; 0 when OK.
    int text() const { return m_failure ? m_failure->text : 0; }
    const QStringList& arguments() const;
    Severity severity() const { return m_failure ? m_failure->severity : Severity::Information; }

    // The message in the table's current language with its arguments in place; arguments the
    // text has no place for follow it, one space apart. Empty when OK.
    QString message(const TextTable& texts) const;
    // The same in a given language ("pl" or "ang").
    QString message(const QString& language) const;

    // A further detail (an operating-system reason, a path) for the event log, not the message.
    Status& withDetail(QString detail);
    const QString& detail() const;

private:
    struct Failure {
        int text = 0;
        QStringList arguments;
        Severity severity = Severity::Warning;
        QString detail;
    };
    // Shared and never changed after it is made, so a status is cheap to copy and to return.
    std::shared_ptr<const Failure> m_failure;
};

}  // namespace trevalon
