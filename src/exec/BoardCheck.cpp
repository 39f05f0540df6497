#include "exec/BoardCheck.h"

#include <algorithm>
#include <initializer_list>

#include "builders/VisibleVariables.h"
#include "calc/TCalcul.h"
#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "config/TextIds.h"
#include "exec/VariableLookup.h"
#include "exec/VariablesList.h"
#include "exec/Workspace.h"
#include "model/BlockCatalogue.h"

namespace trevalon {
namespace {

// Kinds through whose bottom the flow may enter a block placed below them, and kinds that
// accept the flow from a block placed above them.
constexpr int kMayStandAbove[] = {
    KindStart,     KindBranchStart, KindReadWrite,         KindCall,
    KindReturn,    KindMessage,     KindQuestion,          KindRandom,
    KindAssign,    KindArrayWrite,  KindArrayRead,         KindLineVertical,
    KindJoinRight, KindJoinLeft,    KindCornerBottomRight, KindCornerLeftBottom};
constexpr int kMayStandBelow[] = {
    KindEnd,        KindBranchEnd,      KindReadWrite,      KindCall,         KindReturn,
    KindMessage,    KindQuestion,       KindRandom,         KindAssign,       KindCompareVars,
    KindArrayWrite, KindArrayRead,      KindCompareFormula, KindLineVertical, KindJoinRight,
    KindJoinLeft,   KindCornerTopRight, KindCornerTopLeft};
// What may stand to the right of a block whose flow leaves rightward, and to the left of one
// whose flow leaves leftward.
constexpr int kRightOfExit[] = {KindCompareVars, KindCompareFormula,   KindLineHorizontal,
                                KindJoinLeft,    KindCornerLeftBottom, KindCornerTopLeft};
constexpr int kLeftOfExit[] = {KindCompareVars, KindCompareFormula, KindLineHorizontal,
                               KindJoinRight,   KindCornerTopRight, KindCornerBottomRight};

template <std::size_t N>
bool oneOf(int kind, const int (&set)[N]) {
    return std::find(std::begin(set), std::end(set), kind) != std::end(set);
}

bool oneOf(int kind, std::initializer_list<int> set) {
    return std::find(set.begin(), set.end(), kind) != set.end();
}

bool isSet(const QString& text) {
    return !text.isEmpty() && text != Project::Unset;
}

bool typesAgree(int left, int right) {
    if (left < 1 || right < 1) {
        return false;
    }
    const auto pair = [&](int a, int b) {
        return (left == a && right == b) || (left == b && right == a);
    };
    return left == right || pair(TypeInteger, TypeReal) || pair(TypeChar, TypeText);
}

const char* const kTestWords[] = {"Kalosze", "Bambosze", "Serduszko", "Koperta"};

}  // namespace

BoardCheck::BoardCheck(Workspace& workspace) : m_workspace(workspace) {}

bool BoardCheck::checkBoard(int n, bool withReport) {
    Project& project = m_workspace.project();
    m_result = BoardCheckResult{};
    m_result.board = n;
    project.activeBoard = n;
    Board& board = project.board(n);
    board.clearMarks();
    for (int stage = 0; stage < kCheckStages; ++stage) {
        const bool passed = runStage(stage, n);
        m_result.stages[static_cast<std::size_t>(stage)] = passed ? StagePassed : StageFailed;
        if (!passed) {
            break;
        }
    }
    board.forEachUsedCell([&](const Cell& cell, int c, int r) {
        if (cell.marked) {
            m_result.faultyCells.push_back({n, c, r});
        }
    });
    if (withReport) {
        reportLast();
    }
    return m_result.passed();
}

bool BoardCheck::runStage(int stage, int n) {
    switch (stage) {
        case 0:
            return stageStartEnd(n);
        case 1:
            return stageProperties(n);
        case 2:
            return stageVariables(n);
        case 3:
            return stageFormulas(n);
        default:
            return stageConnections(n);
    }
}

void BoardCheck::reportLast() {
    CheckReport& report = m_workspace.checkReport();
    report.showBoardReport(m_result);
    report.setTitleStrip(m_workspace.texts().text(texts::ReportCheckStrip));
}

bool BoardCheck::checkActiveBoard() {
    return checkBoard(m_workspace.project().activeBoard, true);
}

bool BoardCheck::checkEveryBoard() {
    for (int n = 1; n <= m_workspace.project().boardCount; ++n) {
        if (!checkBoard(n, false)) {
            return false;
        }
    }
    return true;
}

void BoardCheck::reportFailure(MessageSink::Icon icon) {
    // The failing board's result stands as it was found, marks included; checking it again
    // could draw other test values and report something else.
    reportLast();
    m_workspace.messages().showMessage(MessageSink::Close, icon,
                                       m_workspace.texts().text(texts::BoardCheckFailed));
}

bool BoardCheck::checkProject() {
    if (!checkEveryBoard()) {
        reportFailure(MessageSink::Information);
        return false;
    }
    m_workspace.checkReport().showProjectReport(m_workspace.projectName());
    return true;
}

bool BoardCheck::stageStartEnd(int n) {
    const Project& project = m_workspace.project();
    const Board& board = project.board(n);
    if (!board.anyUsedCell([](const Cell& cell, int, int) { return cell.occupied; })) {
        return false;
    }
    const bool start = project.boardHasKind(n, KindStart);
    const bool end = project.boardHasKind(n, KindEnd);
    if (board.kind == BoardFragment) {
        return !start && !end && project.boardHasKind(n, KindBranchStart) &&
               project.boardHasKind(n, KindBranchEnd);
    }
    return start && end;
}

bool BoardCheck::stageProperties(int n) {
    const Board& board = m_workspace.project().board(n);
    return markFaults(
        n, [&](Cell& cell, int, int) { return cell.occupied && !propertiesPass(board, cell); });
}

bool BoardCheck::propertiesPass(const Board& board, Cell& cell) const {
    switch (cell.kindCode) {
        case KindStart:
        case KindEnd:
            return board.kind != BoardProcedure || (isSet(cell.text2) && namesBlock(cell.text2));
        case KindBranchStart:
        case KindBranchEnd:
        case KindRandom:
            return namesBlock(cell.text2);
        case KindReadWrite:
            return namesBlock(cell.text2) && isSet(cell.text4);
        case KindCall:
        case KindReturn:
            return hasProcedureBoard();
        case KindMessage:
            return isSet(cell.text4);
        case KindQuestion:
        case KindAssign:
            return isSet(cell.text4) && namesBlock(cell.text2);
        case KindCompareVars:
            return namesBlock(cell.text2) && namesBlock(cell.text3);
        case KindArrayWrite:
        case KindArrayRead: {
            const bool passes =
                namesBlock(cell.text2) && namesBlock(cell.text3) && namesBlock(cell.text4);
            cell.extra1 = 0;  // the append count starts again with every check
            return passes;
        }
        case KindCompareFormula:
            return namesBlock(cell.text2) && !cell.text4.isEmpty();
        default:
            return true;
    }
}

bool BoardCheck::hasProcedureBoard() const {
    const Project& project = m_workspace.project();
    for (int n = 1; n <= project.boardCount; ++n) {
        if (project.board(n).kind == BoardProcedure) {
            return true;
        }
    }
    return false;
}

bool BoardCheck::stageVariables(int n) {
    m_workspace.loadVariables(testValues(n));
    return markFaults(n, [this](const Cell& cell, int, int) {
        if (cell.kindCode == KindCompareVars) {
            return !typesAgree(variableTypeByName(cell.text2), variableTypeByName(cell.text3));
        }
        return (cell.kindCode == KindAssign || cell.kindCode == KindCompareFormula) &&
               namesBlock(cell.text2) && !formulaFits(cell, false);
    });
}

bool BoardCheck::stageFormulas(int n) {
    m_workspace.loadVariables(testValues(n));
    return markFaults(n, [this](const Cell& cell, int, int) {
        return cell.kindCode == KindAssign && !formulaFits(cell, true);
    });
}

bool BoardCheck::formulaFits(const Cell& cell, bool reportFailure) {
    const QString formula = cell.text2 + QStringLiteral(":=") + cell.text4;
    if (m_workspace.log().level() > 4) {
        m_workspace.log().log(QStringLiteral("Insert formula: ") + formula);
    }
    try {
        const Evaluation result = m_workspace.evaluate(formula);
        return result.ok && TCalcul::kindFitsType(variableTypeByName(cell.text2), result.kind);
    } catch (...) {
        // The Calculator keeps its failures to itself; this is the last line of defence.
        if (reportFailure) {
            const QString text = m_workspace.texts().text(texts::FormulaProcessingFailed);
            m_workspace.messages().showMessage(MessageSink::Close, MessageSink::Warning, text);
            m_workspace.log().logAbove(
                1, text + u' ' + m_workspace.texts().text(texts::LogFormula) + formula);
        }
        return false;
    }
}

bool BoardCheck::stageConnections(int n) {
    return markFaults(n, [this, n](const Cell& cell, int c, int r) {
        return cell.occupied && !neighboursFit(n, c, r);
    });
}

int BoardCheck::neighbourKind(int n, int column, int row) const {
    const Board& board = m_workspace.project().board(n);
    if (column < 1 || column > board.columns || row < 1 || row > board.rows) {
        return -1;
    }
    const Cell& cell = board.cell(column, row);
    return cell.occupied ? cell.kindCode : -1;
}

bool BoardCheck::neighboursFit(int n, int column, int row) const {
    const int kind = neighbourKind(n, column, row);
    const int above = neighbourKind(n, column, row - 1);
    const int below = neighbourKind(n, column, row + 1);
    const int left = neighbourKind(n, column - 1, row);
    const int right = neighbourKind(n, column + 1, row);
    const bool fedFromAbove = oneOf(above, kMayStandAbove);
    const bool feedsBelow = oneOf(below, kMayStandBelow);
    switch (kind) {
        case KindStart:
        case KindBranchStart:
            return feedsBelow;
        case KindEnd:
        case KindBranchEnd:
            return fedFromAbove;
        case KindCall:
            // A call and its return stand together, one directly above the other.
            return fedFromAbove && feedsBelow && (below == KindReturn || above == KindReturn);
        case KindReturn:
            return fedFromAbove && feedsBelow && (below == KindCall || above == KindCall);
        case KindReadWrite:
        case KindMessage:
        case KindQuestion:
        case KindRandom:
        case KindAssign:
        case KindArrayWrite:
        case KindArrayRead:
        case KindLineVertical:
            return fedFromAbove && feedsBelow;
        case KindCompareVars:
        case KindCompareFormula:
            return fedFromAbove &&
                   oneOf(right, {KindLineHorizontal, KindJoinLeft, KindCornerLeftBottom,
                                 KindCornerTopLeft}) &&
                   oneOf(left, {KindLineHorizontal, KindJoinRight, KindCornerTopRight,
                                KindCornerBottomRight});
        case KindLineHorizontal:
            return oneOf(right, kRightOfExit) && oneOf(left, kLeftOfExit);
        case KindJoinRight:
            return fedFromAbove && feedsBelow &&
                   oneOf(right, {KindCompareVars, KindCompareFormula, KindLineHorizontal,
                                 KindCornerLeftBottom, KindCornerTopLeft});
        case KindJoinLeft:
            return fedFromAbove && feedsBelow &&
                   oneOf(left, {KindCompareVars, KindCompareFormula, KindLineHorizontal,
                                KindCornerTopRight, KindCornerBottomRight});
        case KindCornerTopRight:
            return fedFromAbove && oneOf(right, kRightOfExit);
        case KindCornerBottomRight:
            return feedsBelow && oneOf(right, kRightOfExit);
        case KindCornerLeftBottom:
            return feedsBelow && oneOf(left, kLeftOfExit);
        case KindCornerTopLeft:
            return fedFromAbove && oneOf(left, kLeftOfExit);
        default:
            return true;
    }
}

bool BoardCheck::namesBlock(const QString& text) const {
    return m_workspace.project().findBlockByName(text).has_value();
}

int BoardCheck::variableTypeByName(const QString& name) const {
    return declaredVariableType(m_workspace.project(), name);
}

QString BoardCheck::testValue(const Cell& variable) {
    RandomSource& random = m_workspace.random();
    switch (variable.mode) {
        case TypeInteger:
            return variable.text4 == QLatin1String("0") ? QString::number(random.uniform(1, 8))
                                                        : variable.text4;
        case TypeReal:
            if (variable.text4 != QLatin1String("0")) {
                return variable.text4;
            }
            {
                const qint64 whole = random.uniform(1, 20);
                const qint64 fraction = random.uniform(1, 20);
                return QString::number(whole) + u'.' + QString::number(fraction);
            }
        case TypeChar:
            return QStringLiteral("\"K\"");
        case TypeText:
            if (variable.text4 != QLatin1String("\"Brak\"")) {
                return variable.text4;
            }
            return u'"' + QString::fromLatin1(kTestWords[random.uniform(0, 3)]) + u'"';
        case TypeLogical:
            return QStringLiteral("1");
        case TypeArray:
            return QStringLiteral("\"*1*5*3*\"");
        case TypeDate:
            return QStringLiteral("\"2012/07/13\"");
        default:
            return variable.text4;
    }
}

QString BoardCheck::testValues(int n) {
    const Project& project = m_workspace.project();
    QString list;
    for (int b = 1; b <= project.boardCount; ++b) {
        project.board(b).forEachUsedCell([&](const Cell& cell, int, int) {
            if (cell.kindCode == KindVariable && (b == n || cell.scope == 1)) {
                VariablesList::append(list, cell.name, testValue(cell));
            }
        });
    }
    if (!list.isEmpty()) {
        VariablesList::appendConstants(list);
    }
    return list;
}

void BoardCheck::fail(int n, int column, int row) {
    m_workspace.project().cell(n, column, row).marked = true;
}

template <typename Faulty>
bool BoardCheck::markFaults(int n, Faulty faulty) {
    bool passed = true;
    m_workspace.project().board(n).forEachUsedCell([&](Cell& cell, int c, int r) {
        if (faulty(cell, c, r)) {
            fail(n, c, r);
            passed = false;
        }
    });
    return passed;
}

}  // namespace trevalon
