#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "config/Status.h"
#include "exec/CheckReport.h"
#include "exec/Variables.h"

namespace trevalon {

class EventLog;
class RandomSource;

// What the check works with (Workspace::checkTools() gathers them). The check shows nothing
// through any of it; it writes the log's lines of a formula it tries.
struct CheckTools {
    Project& project;
    Variables& variables;
    RandomSource& random;
    EventLog& log;
    const TextTable& texts;
};

// The five-stage check of a board: start and end blocks, block properties, variable
// agreement, formulas on test values, and the connections between neighbouring cells. The
// stages run in order and stop at the first failure; faulty cells are marked on the board.
// Test values are drawn from the tools' random source.
//
// The check answers what it found and shows none of it: the caller hands the result to the
// report window and tells the pupil (exec/CheckCommands.h for the program's commands;
// Executor::begin before a run).
class BoardCheck {
public:
    explicit BoardCheck(const CheckTools& tools);

    // Checks board n (it becomes the active board and its marks are cleared first). Answers
    // whether every stage passed; lastResult() holds what was found.
    bool checkBoard(int n);
    // Checks the boards in order up to the first failure, whose result stays the last one.
    // Answers whether every board passed.
    bool checkEveryBoard();

    // The result of the last checkBoard.
    const BoardCheckResult& lastResult() const { return m_result; }
    // The failures of the Calculator itself that the last checkBoard met (each a warning,
    // texts::FormulaProcessingFailed), to be shown before its result; a board with one fails.
    const std::vector<Status>& troubles() const { return m_troubles; }

    // The test-value lines for board n: variables on the board or global, then the constants.
    QString testValues(int n);
    // The same without the constants.
    QString variableTestValues(int n);

private:
    bool runStage(int stage, int n);
    bool stageStartEnd(int n);
    bool stageProperties(int n);
    bool stageVariables(int n);
    bool stageFormulas(int n);
    bool stageConnections(int n);
    // Why a cell fails: the reason and the words of its sentence, placed by markFaults.
    using Fault = std::optional<CheckFinding>;
    Fault propertiesFault(const Board& board, Cell& cell) const;
    Fault variablesFault(const Cell& cell);
    Fault formulaFault(const Cell& cell);
    bool hasProcedureBoard() const;
    Fault connectionFault(int n, int column, int row) const;
    int neighbourKind(int n, int column, int row) const;
    bool namesBlock(const QString& text) const;
    int variableTypeByName(const QString& name) const;
    // The Calculator's verdict on an assignment or comparison formula with the test values:
    // empty when it fits the variable, otherwise why not.
    Fault formulaMisfit(const Cell& cell, bool reportFailure);
    // Loads the test values of board n into the Calculator and keeps them for the reasons.
    void loadTestValues(int n);
    QString testValue(const Cell& variable);
    void failBoard(CheckReason reason);
    // The hints for board n: each numbered block whose name another block of the project has.
    void hintDuplicateNames(int n);
    // Marks every cell in use on board n for which `faulty(cell, column, row)` gives a fault,
    // and keeps the finding; true when none does.
    template <typename Faulty>
    bool markFaults(int n, Faulty faulty);

    CheckTools m_tools;
    BoardCheckResult m_result;
    std::vector<Status> m_troubles;
    int m_stage = 0;
    QString m_testValues;  // the values the formulas are tried with, as the pupil sees them
};

}  // namespace trevalon
