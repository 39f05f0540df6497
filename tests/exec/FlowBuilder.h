#pragma once

#include <QString>

#include "model/BlockCatalogue.h"
#include "model/Project.h"

// Lays blocks onto a project's boards through the model's own placement, as the editor would,
// so that every block starts from its real defaults.
class FlowBuilder {
public:
    explicit FlowBuilder(trevalon::Project& project) : m_project(project) {}

    trevalon::Cell& put(int board, int column, int row, int kind) {
        m_project.placeBlock(board, column, row, kind / 10, kind % 10);
        if (kind == trevalon::KindVariable) {
            ++m_project.board(board).variableCount;
        }
        return m_project.cell(board, column, row);
    }

    trevalon::Cell& named(int board, int column, int row, int kind, const QString& name) {
        trevalon::Cell& cell = put(board, column, row, kind);
        cell.name = name;
        return cell;
    }

    trevalon::Cell& variable(int board, int column, int row, const QString& name, int type,
                             const QString& start, int scope = 0) {
        trevalon::Cell& cell = put(board, column, row, trevalon::KindVariable);
        cell.name = name;
        cell.mode = type;
        cell.text4 = start;
        cell.scope = scope;
        if (type == trevalon::TypeText) {
            cell.extra1 = static_cast<int>(start.size());
        }
        return cell;
    }

    trevalon::Cell& assign(int board, int column, int row, const QString& target,
                           const QString& formula) {
        trevalon::Cell& cell = put(board, column, row, trevalon::KindAssign);
        cell.text2 = target;
        cell.text4 = formula;
        return cell;
    }

    trevalon::Cell& read(int board, int column, int row, const QString& target,
                         const QString& comment) {
        trevalon::Cell& cell = put(board, column, row, trevalon::KindReadWrite);
        cell.mode = 0;
        cell.text2 = target;
        cell.text4 = comment;
        return cell;
    }

    trevalon::Cell& write(int board, int column, int row, const QString& source,
                          const QString& comment, int precision = 7) {
        trevalon::Cell& cell = put(board, column, row, trevalon::KindReadWrite);
        cell.mode = 1;
        cell.text2 = source;
        cell.text4 = comment;
        cell.extra1 = precision;
        return cell;
    }

    trevalon::Cell& message(int board, int column, int row, const QString& text) {
        trevalon::Cell& cell = put(board, column, row, trevalon::KindMessage);
        cell.text4 = text;
        return cell;
    }

    // A comparison of a variable with a formula; operator codes as the block stores them
    // (0 "=", 1 ">", 2 "<", 3 ">=", 4 "<=", 5 "<>").
    trevalon::Cell& compare(int board, int column, int row, const QString& variable, int op,
                            const QString& formula) {
        trevalon::Cell& cell = put(board, column, row, trevalon::KindCompareFormula);
        cell.text2 = variable;
        cell.mode = op;
        cell.text4 = formula;
        return cell;
    }

    trevalon::Cell& compareVariables(int board, int column, int row, const QString& left, int op,
                                     const QString& right) {
        trevalon::Cell& cell = put(board, column, row, trevalon::KindCompareVars);
        cell.text2 = left;
        cell.mode = op;
        cell.text3 = right;
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
        using namespace trevalon;
        put(1, 2, 1, KindStart);
        put(1, 2, 2, KindJoinLeft);
        put(1, 2, 3, KindLineVertical);
        compare(1, 2, 4, QStringLiteral("x"), 0, QStringLiteral("x"));
        put(1, 1, 4, KindCornerTopRight);
        put(1, 1, 3, KindLineVertical);
        put(1, 1, 2, KindCornerBottomRight);
        put(1, 3, 4, KindCornerLeftBottom);
        put(1, 3, 5, KindEnd);
        variable(1, 6, 1, QStringLiteral("x"), TypeInteger, QStringLiteral("1"));
    }

    void resize(int board, int columns, int rows) {
        m_project.board(board).columns = columns;
        m_project.board(board).rows = rows;
    }

private:
    trevalon::Project& m_project;
};
