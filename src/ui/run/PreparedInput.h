#pragma once

#include <QStringList>

#include "exec/LineFedIo.h"

namespace trevalon {

// Answers a run's read blocks and questions from lines given beforehand (a test case's input),
// by the rules `trevalon-cli run` reads standard input with; texts to show are left to the
// window. When the lines are used up, a dialog ends with DialogClose::InputEnded and the
// pupil types the rest.
class PreparedInput : public LineFedIo {
public:
    using LineFedIo::LineFedIo;

    void setLines(const QStringList& lines) {
        m_lines = lines;
        m_next = 0;
    }
    bool hasLines() const { return m_next < m_lines.size(); }

private:
    bool nextLine(QString& line) override {
        if (!hasLines()) {
            return false;
        }
        line = m_lines[m_next++];
        return true;
    }
    void printed(const QString&, DialogMode) override {}
    void refused(const QString&) override {}
    void refusedAnswer() override {}

    QStringList m_lines;
    qsizetype m_next = 0;
};

}  // namespace trevalon
