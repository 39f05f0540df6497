#pragma once

#include <QString>
#include <optional>

#include "config/MessageSink.h"
#include "exec/CheckReport.h"

namespace trevalon {

class Workspace;

// The five-stage check of a board: start and end blocks, block properties, variable
// agreement, formulas on test values, and the connections between neighbouring cells. The
// stages run in order and stop at the first failure; faulty cells are marked on the board.
// Test values are drawn from the workspace's random source.
class BoardCheck {
public:
    explicit BoardCheck(Workspace& workspace);

    // Checks board n (it becomes the active board and its marks are cleared first); with
    // `withReport` the result goes to the report window. Answers whether every stage passed.
    bool checkBoard(int n, bool withReport);
    bool checkActiveBoard();
    // Checks the boards in order up to the first failure, whose result stays the last one;
    // nothing is reported. Answers whether every board passed.
    bool checkEveryBoard();
    // Hands the last result to the report window and shows texts::BoardCheckFailed in the
    // message dialog with `icon`.
    void reportFailedCheck(MessageSink::Icon icon);
    // checkEveryBoard, then: all passing, the project report; otherwise reportFailedCheck as
    // information.
    bool checkProject();

    // The result of the last checkBoard.
    const BoardCheckResult& lastResult() const { return m_result; }

    // The test-value lines for board n: variables on the board or global, then the constants.
    QString testValues(int n);
    // The same without the constants.
    QString variableTestValues(int n);

private:
    // Hands the last result to the report window and sets its title strip.
    void reportLast();
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
    // Marks every cell in use on board n for which `faulty(cell, column, row)` gives a fault,
    // and keeps the finding; true when none does.
    template <typename Faulty>
    bool markFaults(int n, Faulty faulty);

    Workspace& m_workspace;
    BoardCheckResult m_result;
    int m_stage = 0;
    QString m_testValues;  // the values the formulas are tried with, as the pupil sees them
};

}  // namespace trevalon
