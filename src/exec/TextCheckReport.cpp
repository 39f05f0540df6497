#include "exec/TextCheckReport.h"

#include "config/OutsideText.h"
#include "config/TextIds.h"
#include "config/TextTable.h"
#include "model/Project.h"

namespace trevalon {

TextCheckReport::TextCheckReport(QTextStream& out, const Project& project, const TextTable& texts)
    : m_out(out), m_project(project), m_texts(texts) {}

QString TextCheckReport::rowText(const ReportRow& row) {
    if (row.shape == ReportRow::Row) {
        return row.label + QStringLiteral(": ") + row.value;
    }
    return row.label;
}

void TextCheckReport::showBoardReport(const BoardCheckResult& result) {
    const Project& project = m_project;
    const TextTable& texts = m_texts;
    for (const ReportRow& row : boardReportRows(project, result, texts)) {
        m_out << shownText(rowText(row)) << '\n';
    }
    for (const CellRef& cell : result.faultyCells) {
        m_out << "  " << cell.column << ',' << cell.row << "  "
              << shownText(project.describeCell(cell.board, cell.column, cell.row, texts)) << '\n';
    }
    if (!result.findings.empty()) {
        m_out << texts.text(texts::CheckReasonsHeading) << ":\n";
        for (const CheckFinding& finding : result.findings) {
            m_out << "  " << shownText(checkFindingLine(finding, texts)) << '\n';
        }
    }
    if (!result.hints.empty()) {
        m_out << texts.text(texts::CheckHintsHeading) << ":\n";
        for (const CheckFinding& hint : result.hints) {
            m_out << "  " << shownText(checkFindingLine(hint, texts)) << '\n';
        }
    }
    m_out.flush();
}

void TextCheckReport::showProjectReport(const QString& projectName) {
    for (const ReportRow& row : projectReportRows(projectName, m_texts)) {
        m_out << shownText(rowText(row)) << '\n';
    }
    m_out.flush();
}

}  // namespace trevalon
