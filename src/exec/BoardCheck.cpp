#include "exec/BoardCheck.h"

#include <optional>

#include "builders/VisibleVariables.h"
#include "calc/TCalcul.h"
#include "config/EventLog.h"
#include "config/TextIds.h"
#include "config/TextTable.h"
#include "exec/RandomSource.h"
#include "exec/VariableLookup.h"
#include "exec/VariablesList.h"
#include "model/BlockCatalogue.h"

namespace trevalon {
namespace {

// Whether a block of `kind` lets the flow cross `side` (the sides column of the block
// catalogue); an empty cell or one off the board (-1) lets none cross.
bool passesThrough(int kind, unsigned side) {
    const KindInfo* info = BlockCatalogue::find(kind);
    return info != nullptr && (info->sides & side) != 0;
}

// How the flow crosses a side a block lets it cross.
enum class SideUse {
    Either,  // in or out, as the block is turned
    Out,     // the left and right sides of a comparison
    In,      // the side through which a branch joins a line
};

SideUse sideUse(int kind, unsigned side) {
    const bool horizontal = side == SideLeft || side == SideRight;
    if (horizontal && (kind == KindCompareVars || kind == KindCompareFormula)) {
        return SideUse::Out;
    }
    if ((kind == KindJoinRight && side == SideRight) ||
        (kind == KindJoinLeft && side == SideLeft)) {
        return SideUse::In;
    }
    return SideUse::Either;
}

// Whether `side` of a block of `kind` fits the neighbour there, which faces it with `facing`.
// A side the block does not use always fits; one it uses needs a neighbour that lets the flow
// cross the facing side, and two sides that only lead out (two comparisons side by side) or
// only lead in (two joins facing each other) do not fit.
bool sideFits(int kind, unsigned side, int neighbour, unsigned facing) {
    if (!passesThrough(kind, side)) {
        return true;
    }
    if (!passesThrough(neighbour, facing)) {
        return false;
    }
    const SideUse use = sideUse(kind, side);
    return use == SideUse::Either || use != sideUse(neighbour, facing);
}

// Why a block of `kind` does not fit among its neighbours (-1 for an empty cell or one off the
// board); nothing when it fits.
std::optional<CheckReason> connectionMisfit(int kind, int above, int below, int left, int right) {
    if (!sideFits(kind, SideTop, above, SideBottom)) {
        return CheckReason::NothingAbove;
    }
    if (!sideFits(kind, SideBottom, below, SideTop)) {
        return CheckReason::NothingBelow;
    }
    if (!sideFits(kind, SideLeft, left, SideRight)) {
        return CheckReason::NothingLeft;
    }
    if (!sideFits(kind, SideRight, right, SideLeft)) {
        return CheckReason::NothingRight;
    }
    // A call and its return stand together, one directly above the other.
    const int partner = kind == KindCall ? KindReturn : kind == KindReturn ? KindCall : 0;
    if (partner != 0 && above != partner && below != partner) {
        return CheckReason::CallAndReturnApart;
    }
    return std::nullopt;
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

// What a block's field must hold to pass the properties stage.
enum class Need {
    Text,     // anything but the unset word
    Name,     // the name of a block of the project
    SetName,  // both
    Formula,  // anything at all
};

struct FieldRule {
    int kind;
    const QString& (Cell::*field)() const;
    Need need;
    int caption;  // the field's row in the properties window
};

// In the order the pupil meets the fields; the first that fails is the reason.
const FieldRule kFieldRules[] = {
    {KindBranchStart, &Cell::link, Need::Name, texts::PropertyLink},
    {KindBranchEnd, &Cell::link, Need::Name, texts::PropertyLink},
    {KindRandom, &Cell::variable, Need::Name, texts::PropertyVariable},
    {KindReadWrite, &Cell::prompt, Need::Text, texts::PropertyComment},
    {KindReadWrite, &Cell::variable, Need::Name, texts::PropertyVariable},
    {KindMessage, &Cell::prompt, Need::Text, texts::PropertyMessage},
    {KindQuestion, &Cell::prompt, Need::Text, texts::PropertyQuestion},
    {KindQuestion, &Cell::variable, Need::Name, texts::PropertyVariable},
    {KindAssign, &Cell::variable, Need::Name, texts::PropertyVariableName},
    {KindAssign, &Cell::formula, Need::Text, texts::PropertyFormula},
    {KindCompareVars, &Cell::variable, Need::Name, texts::PropertyLeftVariable},
    {KindCompareVars, &Cell::otherVariable, Need::Name, texts::PropertyRightVariable},
    {KindCompareFormula, &Cell::variable, Need::Name, texts::PropertyLeftVariable},
    {KindCompareFormula, &Cell::formula, Need::Formula, texts::PropertyFormula},
    {KindArrayWrite, &Cell::variable, Need::Name, texts::PropertyArray},
    {KindArrayWrite, &Cell::arrayIndex, Need::Name, texts::PropertyIndex},
    {KindArrayWrite, &Cell::arrayOther, Need::Name, texts::PropertyInsertedValue},
    {KindArrayRead, &Cell::variable, Need::Name, texts::PropertyArray},
    {KindArrayRead, &Cell::arrayIndex, Need::Name, texts::PropertyIndex},
    {KindArrayRead, &Cell::arrayOther, Need::Name, texts::PropertyInsertedValue},
};

// A finding of a cell, placed later by markFaults.
CheckFinding cellFault(CheckReason reason, int field = 0, QStringList details = {}) {
    CheckFinding finding;
    finding.reason = reason;
    finding.field = field;
    finding.details = std::move(details);
    return finding;
}

// The test values as the pupil reads them: "a = 3, s = \"Kalosze\"".
QString readableValues(const QString& list) {
    QStringList pairs;
    for (const QString& line : list.split(VariablesList::LineBreak, Qt::SkipEmptyParts)) {
        const qsizetype eq = line.indexOf(u'=');
        pairs << (eq < 0 ? line : line.left(eq) + QStringLiteral(" = ") + line.mid(eq + 1));
    }
    return pairs.join(QStringLiteral(", "));
}

}  // namespace

BoardCheck::BoardCheck(const CheckTools& tools) : m_tools(tools) {}

bool BoardCheck::checkBoard(int n) {
    Project& project = m_tools.project;
    m_result = BoardCheckResult{};
    m_troubles.clear();
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
    hintDuplicateNames(n);
    return m_result.passed();
}

bool BoardCheck::runStage(int stage, int n) {
    m_stage = stage;
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

bool BoardCheck::checkEveryBoard() {
    for (int n = 1; n <= m_tools.project.boardCount; ++n) {
        if (!checkBoard(n)) {
            return false;
        }
    }
    return true;
}

bool BoardCheck::stageStartEnd(int n) {
    const Project& project = m_tools.project;
    const Board& board = project.board(n);
    if (!board.anyUsedCell([](const Cell& cell, int, int) { return cell.occupied; })) {
        failBoard(CheckReason::BoardEmpty);
        return false;
    }
    const bool start = project.boardHasKind(n, KindStart);
    const bool end = project.boardHasKind(n, KindEnd);
    if (board.kind == BoardFragment) {
        if (start || end) {
            failBoard(CheckReason::FragmentHasStartOrEnd);
            return false;
        }
        if (!project.boardHasKind(n, KindBranchStart) || !project.boardHasKind(n, KindBranchEnd)) {
            failBoard(CheckReason::FragmentWithoutBranches);
            return false;
        }
        return true;
    }
    if (!start) {
        failBoard(CheckReason::NoStart);
    }
    if (!end) {
        failBoard(CheckReason::NoEnd);
    }
    return start && end;
}

bool BoardCheck::stageProperties(int n) {
    const Board& board = m_tools.project.board(n);
    return markFaults(n, [&](Cell& cell, int, int) -> Fault {
        return cell.occupied ? propertiesFault(board, cell) : std::nullopt;
    });
}

BoardCheck::Fault BoardCheck::propertiesFault(const Board& board, Cell& cell) const {
    const auto fieldFault = [&](const QString& text, Need need, int caption) -> Fault {
        const bool set = isSet(text);
        const bool passes = need == Need::Text      ? set
                            : need == Need::Formula ? !text.isEmpty()
                            : need == Need::Name    ? namesBlock(text)
                                                    : set && namesBlock(text);
        if (passes) {
            return std::nullopt;
        }
        if (!set || need == Need::Text || need == Need::Formula) {
            return cellFault(CheckReason::FieldNotSet, caption);
        }
        return cellFault(CheckReason::NameNotFound, caption, {text});
    };
    if (cell.kindCode == KindArrayWrite || cell.kindCode == KindArrayRead) {
        cell.appendCount() = 0;  // the append count starts again with every check
    }
    if (cell.kindCode == KindStart || cell.kindCode == KindEnd) {
        if (board.kind != BoardProcedure) {
            return std::nullopt;
        }
        return fieldFault(
            cell.link(), Need::SetName,
            cell.kindCode == KindStart ? texts::PropertyCaller : texts::PropertyReturnTo);
    }
    if ((cell.kindCode == KindCall || cell.kindCode == KindReturn) && !hasProcedureBoard()) {
        return cellFault(CheckReason::NoProcedureBoard);
    }
    for (const FieldRule& rule : kFieldRules) {
        if (rule.kind == cell.kindCode) {
            if (Fault fault = fieldFault((cell.*rule.field)(), rule.need, rule.caption)) {
                return fault;
            }
        }
    }
    return std::nullopt;
}

bool BoardCheck::hasProcedureBoard() const {
    const Project& project = m_tools.project;
    for (int n = 1; n <= project.boardCount; ++n) {
        if (project.board(n).kind == BoardProcedure) {
            return true;
        }
    }
    return false;
}

bool BoardCheck::stageVariables(int n) {
    loadTestValues(n);
    return markFaults(n, [this](const Cell& cell, int, int) { return variablesFault(cell); });
}

BoardCheck::Fault BoardCheck::variablesFault(const Cell& cell) {
    if (cell.kindCode == KindCompareVars) {
        if (typesAgree(variableTypeByName(cell.variable()),
                       variableTypeByName(cell.otherVariable()))) {
            return std::nullopt;
        }
        return cellFault(CheckReason::TypesDisagree, 0, {cell.variable(), cell.otherVariable()});
    }
    if ((cell.kindCode == KindAssign || cell.kindCode == KindCompareFormula) &&
        namesBlock(cell.variable())) {
        return formulaMisfit(cell, false);
    }
    return std::nullopt;
}

bool BoardCheck::stageFormulas(int n) {
    loadTestValues(n);
    return markFaults(n, [this](const Cell& cell, int, int) -> Fault {
        return cell.kindCode == KindAssign ? formulaMisfit(cell, true) : std::nullopt;
    });
}

void BoardCheck::loadTestValues(int n) {
    QString values = variableTestValues(n);
    m_testValues = readableValues(values);
    if (!values.isEmpty()) {
        VariablesList::appendConstants(values);
    }
    m_tools.variables.loadVariables(values);
}

BoardCheck::Fault BoardCheck::formulaMisfit(const Cell& cell, bool reportFailure) {
    const QString formula = cell.variable() + QStringLiteral(":=") + cell.formula();
    if (m_tools.log.level() > 4) {
        m_tools.log.log(QStringLiteral("Insert formula: ") + formula);
    }
    try {
        const Evaluation result = m_tools.variables.evaluate(formula);
        if (!result.ok) {
            return cellFault(CheckReason::FormulaFails, 0,
                             {cell.formula(), m_testValues, result.error.trimmed()});
        }
        if (!TCalcul::kindFitsType(variableTypeByName(cell.variable()), result.kind)) {
            return cellFault(CheckReason::ResultDoesNotFit, 0, {cell.formula(), cell.variable()});
        }
        return std::nullopt;
    } catch (...) {
        // The Calculator keeps its failures to itself; this is the last line of defence.
        const QString text = m_tools.texts.text(texts::FormulaProcessingFailed);
        if (reportFailure) {
            m_troubles.push_back(Status::error(texts::FormulaProcessingFailed));
            m_tools.log.logAbove(1, text + u' ' + m_tools.texts.text(texts::LogFormula) + formula);
        }
        return cellFault(CheckReason::FormulaFails, 0, {cell.formula(), m_testValues, text});
    }
}

bool BoardCheck::stageConnections(int n) {
    return markFaults(n, [this, n](const Cell& cell, int c, int r) -> Fault {
        return cell.occupied ? connectionFault(n, c, r) : std::nullopt;
    });
}

int BoardCheck::neighbourKind(int n, int column, int row) const {
    const Board& board = m_tools.project.board(n);
    if (column < 1 || column > board.columns || row < 1 || row > board.rows) {
        return -1;
    }
    const Cell& cell = board.cell(column, row);
    return cell.occupied ? cell.kindCode : -1;
}

BoardCheck::Fault BoardCheck::connectionFault(int n, int column, int row) const {
    const std::optional<CheckReason> misfit =
        connectionMisfit(neighbourKind(n, column, row), neighbourKind(n, column, row - 1),
                         neighbourKind(n, column, row + 1), neighbourKind(n, column - 1, row),
                         neighbourKind(n, column + 1, row));
    if (!misfit) {
        return std::nullopt;
    }
    return cellFault(*misfit);
}

bool BoardCheck::namesBlock(const QString& text) const {
    return m_tools.project.findBlockByName(text).has_value();
}

int BoardCheck::variableTypeByName(const QString& name) const {
    return declaredVariableType(m_tools.project, name);
}

QString BoardCheck::testValue(const Cell& variable) {
    RandomSource& random = m_tools.random;
    const QString& start = variable.startValue();
    switch (variable.variableType()) {
        case TypeInteger:
            return start == QLatin1String("0") ? QString::number(random.uniform(1, 8)) : start;
        case TypeReal:
            if (start != QLatin1String("0")) {
                return start;
            }
            {
                const qint64 whole = random.uniform(1, 20);
                const qint64 fraction = random.uniform(1, 20);
                return QString::number(whole) + u'.' + QString::number(fraction);
            }
        case TypeChar:
            return QStringLiteral("\"K\"");
        case TypeText:
            if (start != QLatin1String("\"Brak\"")) {
                return start;
            }
            return u'"' + QString::fromLatin1(kTestWords[random.uniform(0, 3)]) + u'"';
        case TypeLogical:
            return QStringLiteral("1");
        case TypeArray:
            return QStringLiteral("\"*1*5*3*\"");
        case TypeDate:
            return QStringLiteral("\"2012/07/13\"");
        default:
            return start;
    }
}

QString BoardCheck::testValues(int n) {
    QString list = variableTestValues(n);
    if (!list.isEmpty()) {
        VariablesList::appendConstants(list);
    }
    return list;
}

QString BoardCheck::variableTestValues(int n) {
    const Project& project = m_tools.project;
    QString list;
    for (int b = 1; b <= project.boardCount; ++b) {
        project.board(b).forEachUsedCell([&](const Cell& cell, int, int) {
            if (cell.kindCode == KindVariable && (b == n || cell.scope == 1)) {
                VariablesList::append(list, cell.name, testValue(cell));
            }
        });
    }
    return list;
}

void BoardCheck::failBoard(CheckReason reason) {
    CheckFinding finding;
    finding.stage = m_stage;
    finding.board = m_result.board;
    finding.reason = reason;
    m_result.findings.push_back(finding);
}

// A shared name fails no stage, so that a project the check passed still passes; a call, a
// link or a reason naming the block would name either of them.
void BoardCheck::hintDuplicateNames(int n) {
    const Project& project = m_tools.project;
    project.board(n).forEachUsedCell([&](const Cell& cell, int column, int row) {
        const KindInfo* kind = BlockCatalogue::find(cell.kindCode);
        if (!cell.occupied || cell.isVariable || kind == nullptr || !kind->numbered) {
            return;
        }
        for (int b = 1; b <= project.boardCount; ++b) {
            int otherColumn = 0;
            int otherRow = 0;
            project.board(b).anyCell([&](const Cell& other, int c, int r) {
                const bool same = other.occupied && !other.isVariable &&
                                  (b != n || c != column || r != row) &&
                                  other.name.compare(cell.name, Qt::CaseInsensitive) == 0;
                if (same) {
                    otherColumn = c;
                    otherRow = r;
                }
                return same;
            });
            if (otherColumn > 0) {
                CheckFinding hint;
                hint.stage = 1;  // a name is one of the block's properties
                hint.board = n;
                hint.column = column;
                hint.row = row;
                hint.reason = CheckReason::DuplicateName;
                hint.block = cell.name;
                hint.details = {QString::number(b), QString::number(otherColumn),
                                QString::number(otherRow)};
                m_result.hints.push_back(std::move(hint));
                return;
            }
        }
    });
}

template <typename Faulty>
bool BoardCheck::markFaults(int n, Faulty faulty) {
    bool passed = true;
    Project& project = m_tools.project;
    project.board(n).forEachUsedCell([&](Cell& cell, int c, int r) {
        Fault fault = faulty(cell, c, r);
        if (!fault) {
            return;
        }
        cell.marked = true;
        passed = false;
        fault->stage = m_stage;
        fault->board = n;
        fault->column = c;
        fault->row = r;
        fault->block = cell.name;
        if (fault->block.isEmpty()) {
            const KindInfo* kind = BlockCatalogue::find(cell.kindCode);
            fault->block = kind ? m_tools.texts.text(kind->hintText) : QString();
        }
        m_result.findings.push_back(std::move(*fault));
    });
    return passed;
}

}  // namespace trevalon
