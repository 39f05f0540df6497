#include "exec/CheckReport.h"

#include "config/TextTable.h"
#include "exec/VariablesList.h"
#include "model/BlockCatalogue.h"

namespace trevalon {
namespace {

constexpr int kStageTexts[kCheckStages] = {
    texts::ReportStageStartEnd, texts::ReportStageProperties, texts::ReportStageVariables,
    texts::ReportStageExpressions, texts::ReportStageConsistency};
constexpr int kVariableValueLength = 24;

ReportRow stageRow(int stage, int status, const TextTable& texts) {
    ReportRow row;
    row.label = texts.text(kStageTexts[stage]);
    // The first stage decides whether the others run at all, so it is never undetermined.
    if (status == StagePassed) {
        row.value = QStringLiteral("OK");
    } else if (status == StageNotDetermined && stage > 0) {
        row.value = texts.text(texts::ReportNotDetermined);
        row.tone = ReportRow::Undetermined;
    } else {
        row.value = QStringLiteral("NO");
        row.tone = ReportRow::Bad;
    }
    return row;
}

}  // namespace

void showBoardCheck(CheckReport& report, const BoardCheckResult& result, const TextTable& texts) {
    report.showBoardReport(result);
    report.setTitleStrip(texts.text(texts::ReportCheckStrip));
}

std::vector<ReportRow> boardReportRows(const Project& project, const BoardCheckResult& result,
                                       const TextTable& texts) {
    std::vector<ReportRow> rows;
    rows.push_back({ReportRow::Header,
                    texts.text(texts::ReportCheckOf) + project.board(result.board).name, QString(),
                    ReportRow::Normal});
    for (int stage = 0; stage < kCheckStages; ++stage) {
        rows.push_back(stageRow(stage, result.stages[static_cast<std::size_t>(stage)], texts));
    }
    if (result.passed()) {
        rows.push_back({ReportRow::Summary, texts.text(texts::ReportBoardReady), QString(),
                        ReportRow::Normal});
    } else {
        rows.push_back({ReportRow::Summary, texts.text(texts::ReportBoardNeedsFixing), QString(),
                        ReportRow::Bad});
    }
    return rows;
}

std::vector<ReportRow> projectReportRows(const QString& projectName, const TextTable& texts) {
    return {
        {ReportRow::Header, texts.text(texts::ReportCheckOf) + projectName, QString(),
         ReportRow::Normal},
        {ReportRow::Row, texts.text(texts::ReportProjectState), QStringLiteral("OK"),
         ReportRow::Normal},
        {ReportRow::Summary, texts.text(texts::ReportProjectReady), QString(), ReportRow::Normal},
    };
}

std::vector<ReportRow> variablesReportRows(const Project& project, const QString& variablesList,
                                           const TextTable& texts, const QString* before) {
    std::vector<ReportRow> rows;
    rows.push_back(
        {ReportRow::Header, texts.text(texts::ReportVariablesState), QString(), ReportRow::Normal});
    for (int n = 1; n <= project.boardCount; ++n) {
        project.board(n).forEachCell([&](const Cell& cell, int, int) {
            if (cell.kindCode == KindVariable) {
                const QString value = VariablesList::valueOf(variablesList, cell.name);
                const bool changed =
                    before != nullptr && VariablesList::valueOf(*before, cell.name) != value;
                rows.push_back({ReportRow::Row, cell.name, value.left(kVariableValueLength),
                                ReportRow::Normal, changed});
            }
        });
    }
    return rows;
}

QString reportValueText(const QString& value) {
    if (value.size() > 13) {
        return value.left(14) + QStringLiteral("..");
    }
    return value;
}

}  // namespace trevalon
