#pragma once

#include <QString>
#include <array>
#include <vector>

#include "exec/CheckFinding.h"
#include "model/Project.h"

namespace trevalon {

class TextTable;

// Status of one check stage: passed, failed, or not examined because an earlier stage failed.
enum StageStatus { StageNotDetermined = -1, StageFailed = 0, StagePassed = 1 };

constexpr int kCheckStages = 5;

// The outcome of checking one board: its five stage statuses in order (start and end blocks,
// block properties, variable agreement, formulas, connections) and the cells marked as faulty.
struct BoardCheckResult {
    int board = 1;
    std::array<int, kCheckStages> stages{StageNotDetermined, StageNotDetermined, StageNotDetermined,
                                         StageNotDetermined, StageNotDetermined};
    std::vector<CellRef> faultyCells;  // columns ascending, then rows ascending
    // Why the failed stage failed: one finding per faulty cell in the same order, or one for
    // the whole board.
    std::vector<CheckFinding> findings;
    // What the pupil had better mend though no stage fails for it (a block whose name another
    // block of the project has), one per cell, whether the stages passed or not.
    std::vector<CheckFinding> hints;

    bool passed() const {
        for (int s : stages) {
            if (s != StagePassed) {
                return false;
            }
        }
        return true;
    }
};

// One drawn row of the report window; the command-line tool prints the same rows.
struct ReportRow {
    enum Shape { Header, Row, Summary };
    enum Tone { Normal, Bad, Undetermined };
    Shape shape = Row;
    QString label;
    QString value;         // empty for header and summary rows
    Tone tone = Normal;    // of the value, or of the whole text for header and summary rows
    bool changed = false;  // a variable whose value the last step changed
};

// The report window as the check sees it. The desktop program draws the rows; the
// command-line tool prints them; tests record them.
class CheckReport {
public:
    virtual ~CheckReport() = default;
    virtual void showBoardReport(const BoardCheckResult& result) = 0;
    virtual void showProjectReport(const QString& projectName) = 0;
    virtual void showVariablesReport(const std::vector<ReportRow>& rows) { (void)rows; }
    // The text of the window's title strip.
    virtual void setTitleStrip(const QString& title) { (void)title; }
};

// A report that goes nowhere, for callers that only want the verdict.
class SilentCheckReport : public CheckReport {
public:
    void showBoardReport(const BoardCheckResult&) override {}
    void showProjectReport(const QString&) override {}
};

// Hands a checked board to `report` as the report window always shows one: its rows and, in
// the title strip, texts::ReportCheckStrip.
void showBoardCheck(CheckReport& report, const BoardCheckResult& result, const TextTable& texts);

// The seven rows of a board report: header, the five stages, the verdict.
std::vector<ReportRow> boardReportRows(const Project& project, const BoardCheckResult& result,
                                       const TextTable& texts);
// The three rows of the summary after every board passed.
std::vector<ReportRow> projectReportRows(const QString& projectName, const TextTable& texts);
// The header and one row per variable block of every board in use, with its current value
// from `variablesList` (lines NAME=value, names compared without regard to case) cut to 24
// characters. Given the list as it was before the last step, `before`, a row whose whole
// value differs from it is marked changed, even where the difference lies past the cut.
std::vector<ReportRow> variablesReportRows(const Project& project, const QString& variablesList,
                                           const TextTable& texts, const QString* before = nullptr);
// A value as a report row shows it: the first 14 characters and ".." when it is longer than 13.
QString reportValueText(const QString& value);

}  // namespace trevalon
