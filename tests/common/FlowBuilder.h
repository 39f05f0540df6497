#pragma once

#include <QString>

#include "model/BlockCatalogue.h"
#include "model/Project.h"

namespace trevalon::test {

// A text written in the source as UTF-8: block texts and formulas hold Polish letters.
inline QString s(const char* text) {
    return QString::fromUtf8(text);
}

// Lays blocks onto a project's boards through the model's own placement, as the editor would,
// so that every block starts from its real defaults: put(board, column, row, kind) places one
// and returns its cell for the texts; the other calls place a kind with its texts at once.
class FlowBuilder {
public:
    explicit FlowBuilder(Project& project) : m_project(project) {}

    Cell& put(int board, int column, int row, int kind) {
        m_project.placeBlock(board, column, row, kind / 10, kind % 10);
        if (kind == KindVariable) {
            ++m_project.board(board).variableCount;
        }
        return m_project.cell(board, column, row);
    }

    Cell& named(int board, int column, int row, int kind, const QString& name) {
        Cell& cell = put(board, column, row, kind);
        cell.name = name;
        return cell;
    }

    Cell& variable(int board, int column, int row, const QString& name, int type,
                   const QString& start = QStringLiteral("0"), int scope = 0) {
        Cell& cell = put(board, column, row, KindVariable);
        cell.name = name;
        cell.mode = type;
        cell.text4 = start;
        cell.scope = scope;
        if (type == TypeText) {
            cell.extra1 = static_cast<int>(start.size());
        }
        return cell;
    }

    Cell& assign(int board, int column, int row, const QString& target, const QString& formula) {
        Cell& cell = put(board, column, row, KindAssign);
        cell.text2 = target;
        cell.text4 = formula;
        return cell;
    }

    Cell& read(int board, int column, int row, const QString& target, const QString& comment) {
        Cell& cell = put(board, column, row, KindReadWrite);
        cell.mode = 0;
        cell.text2 = target;
        cell.text4 = comment;
        return cell;
    }

    Cell& write(int board, int column, int row, const QString& source, const QString& comment,
                int precision = 7) {
        Cell& cell = put(board, column, row, KindReadWrite);
        cell.mode = 1;
        cell.text2 = source;
        cell.text4 = comment;
        cell.extra1 = precision;
        return cell;
    }

    Cell& message(int board, int column, int row, const QString& text) {
        Cell& cell = put(board, column, row, KindMessage);
        cell.text4 = text;
        return cell;
    }

    // A comparison of a variable with a formula; operator codes as the block stores them
    // (0 "=", 1 ">", 2 "<", 3 ">=", 4 "<=", 5 "<>").
    Cell& compare(int board, int column, int row, const QString& variable, int op,
                  const QString& formula) {
        Cell& cell = put(board, column, row, KindCompareFormula);
        cell.text2 = variable;
        cell.mode = op;
        cell.text4 = formula;
        return cell;
    }

    Cell& compareVariables(int board, int column, int row, const QString& left, int op,
                           const QString& right) {
        Cell& cell = put(board, column, row, KindCompareVars);
        cell.text2 = left;
        cell.mode = op;
        cell.text3 = right;
        return cell;
    }

    // An array block: `kind` is KindArrayWrite (array[index] := value) or KindArrayRead
    // (value := array[index]).
    Cell& array(int board, int column, int row, int kind, const QString& array,
                const QString& index, const QString& value) {
        Cell& cell = put(board, column, row, kind);
        cell.text2 = array;
        cell.text3 = index;
        cell.text4 = value;
        return cell;
    }

    // Connectors of one kind down a column, from row `from` to row `to`.
    void column(int board, int column, int from, int to, int kind) {
        for (int r = from; r <= to; ++r) {
            put(board, column, r, kind);
        }
    }

    // A loop on board 1 that never ends: the comparison x = x always holds and turns back up.
    void endlessLoop() {
        endlessLoopOf(1, [this](int row) { put(1, 2, row, KindLineVertical); });
    }

    // The same loop round `rows` blocks that `body(row)` places in column 2, from `row` (3)
    // down; its variables may go in column 6 from row 2.
    template <typename Body>
    void endlessLoopOf(int rows, Body body) {
        put(1, 2, 1, KindStart);
        put(1, 2, 2, KindJoinLeft);
        body(3);
        const int test = 3 + rows;
        compare(1, 2, test, QStringLiteral("x"), 0, QStringLiteral("x"));
        put(1, 1, test, KindCornerTopRight);
        column(1, 1, 3, test - 1, KindLineVertical);
        put(1, 1, 2, KindCornerBottomRight);
        put(1, 3, test, KindCornerLeftBottom);
        put(1, 3, test + 1, KindEnd);
        variable(1, 6, 1, QStringLiteral("x"), TypeInteger, QStringLiteral("1"));
    }

    // Endless loops that fill the memory: one writes an array element further on each time
    // round, the other prints a line of `length` characters each time round.
    void arrayFlood() {
        endlessLoopOf(2, [this](int row) {
            assign(1, 2, row, QStringLiteral("i"), QStringLiteral("i + 1"));
            array(1, 2, row + 1, KindArrayWrite, QStringLiteral("t"), QStringLiteral("i"),
                  QStringLiteral("i"));
        });
        variable(1, 6, 2, QStringLiteral("i"), TypeInteger, QStringLiteral("0"));
        variable(1, 6, 3, QStringLiteral("t"), TypeArray, QStringLiteral("\"*\""));
    }
    void outputFlood(qsizetype length) {
        endlessLoopOf(
            1, [this](int row) { write(1, 2, row, QStringLiteral("s"), QStringLiteral("s:")); });
        variable(1, 6, 2, QStringLiteral("s"), TypeText, u'"' + QString(length, u'a') + u'"');
    }

    // A second board made a procedure named `name` whose body is one assignment: its Start
    // answers the call block `call`, its End returns to the return block `back`; board 1 stays
    // the active one.
    void procedure(const QString& name, const QString& call, const QString& back,
                   const QString& target, const QString& formula) {
        m_project.addBoard();
        m_project.board(2).kind = BoardProcedure;
        m_project.board(2).name = name;
        put(2, 2, 1, KindStart).text2 = call;
        assign(2, 2, 2, target, formula);
        put(2, 2, 3, KindEnd).text2 = back;
        m_project.activeBoard = 1;
    }

    void resize(int board, int columns, int rows) {
        m_project.board(board).columns = columns;
        m_project.board(board).rows = rows;
    }

    // Sets a block's kind and place directly, without the name and texts that placing gives
    // it: what a file that was written elsewhere may hold. Variables are not counted.
    Cell& bare(int board, int column, int row, int kind) {
        Board& b = m_project.board(board);
        Cell& c = b.cell(column, row);
        if (!c.occupied) {
            ++b.blockCount;
        }
        c.occupied = true;
        c.board = board;
        c.kindCode = kind;
        c.group = kind / 10;
        c.index = kind % 10;
        c.isVariable = kind == KindVariable;
        c.column = column;
        c.row = row;
        return c;
    }

private:
    Project& m_project;
};

}  // namespace trevalon::test
