#pragma once

#include <QTextStream>

#include "exec/CheckReport.h"

namespace trevalon {

class Project;
class TextTable;

// The report window as plain text lines: a board report is its header, one "LABEL: VALUE"
// line per stage and its verdict, then "  C,R  DESCRIPTION" for every faulty cell, then the
// reasons under their heading, one "  Plansza B, kolumna C, wiersz R: SENTENCE" line each; the
// project report is its three rows. The command-line tool prints it; each line goes through
// shownText, so a name or a formula holding a control character stays on its line.
class TextCheckReport : public CheckReport {
public:
    // `out`, `project` and `texts` must outlive the report.
    TextCheckReport(QTextStream& out, const Project& project, const TextTable& texts);

    void showBoardReport(const BoardCheckResult& result) override;
    void showProjectReport(const QString& projectName) override;

    static QString rowText(const ReportRow& row);

private:
    QTextStream& m_out;
    const Project& m_project;
    const TextTable& m_texts;
};

}  // namespace trevalon
