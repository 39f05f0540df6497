#include "exec/Executor.h"

#include <algorithm>
#include <limits>
#include <new>

#include "builders/CommentFormat.h"
#include "calc/ArrayValue.h"
#include "calc/TCalcul.h"
#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "config/TextIds.h"
#include "exec/BoardCheck.h"
#include "exec/Breakpoints.h"
#include "exec/ExecutionDialogLogic.h"
#include "exec/ExecutionIo.h"
#include "exec/StepObserver.h"
#include "exec/VariableLookup.h"
#include "exec/VariablesList.h"
#include "exec/Workspace.h"
#include "model/BlockCatalogue.h"

namespace trevalon {
namespace {

// The letters a board's direction is written with in the model, by Heading.
const QString kLetters[] = {QStringLiteral("D"), QStringLiteral("T"), QStringLiteral("L"),
                            QStringLiteral("R")};

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

Executor::Heading headingOf(const QString& letter) {
    for (int h = 0; h < 4; ++h) {
        if (letter == kLetters[h]) {
            return static_cast<Executor::Heading>(h);
        }
    }
    return Executor::Down;
}

// Comments are rendered with the current values of the run.
class RunValues : public CommentValueSource {
public:
    RunValues(const Project& project, const Variables& variables)
        : m_project(project), m_variables(variables) {}
    int variableType(const QString& name) const override { return variableTypeOf(m_project, name); }
    QString variableValue(const QString& name) const override {
        return m_variables.variableValue(name);
    }

private:
    const Project& m_project;
    const Variables& m_variables;
};

// The upper-case name when `name` is letters, digits and underscores beginning with a letter
// (in ASCII): "NAME:=value" then assigns NAME, whatever the value. Empty otherwise.
QString plainName(const QString& name) {
    if (name.isEmpty() || !isAsciiLetter(name.front())) {
        return QString();
    }
    for (const QChar c : name) {
        if (!isAsciiLetter(c) && !(c >= u'0' && c <= u'9') && c != u'_') {
            return QString();
        }
    }
    return name.toUpper();
}

// Whether "NAME:=text" stores `text` as it stands: a number of the form the formula language
// reads as one literal (an optional minus, digits, an optional fraction).
bool storedAsWritten(const QString& text) {
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    const auto digits = [&text, &i] {
        const qsizetype from = i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
            ++i;
        }
        return i - from;
    };
    constexpr qsizetype kMostDigits = 18;
    const qsizetype whole = digits();
    if (whole < 1 || whole > kMostDigits) {
        return false;
    }
    if (i < text.size() && text[i] == u'.') {
        ++i;
        const qsizetype fraction = digits();
        if (fraction < 1 || fraction > kMostDigits) {
            return false;
        }
    }
    return i == text.size();
}

}  // namespace

Executor::Executor(Workspace& workspace)
    : m_workspace(workspace),
      m_project(workspace.project()),
      m_variables(workspace.variables()),
      m_breakpoints(workspace.breakpoints()),
      m_budget(m_variables.calculator().budget()) {}

Executor::~Executor() = default;

void Executor::run() {
    if (!startRun()) {
        return;
    }
    while (m_state.running) {
        // One call runs to the end: a breakpoint is passed at once.
        resume();
        runSlice(std::numeric_limits<qint64>::max());
    }
}

bool Executor::startRun() {
    m_state.stepMode = false;
    return begin();
}

void Executor::startStepping() {
    m_state.stepMode = true;
    begin();
}

void Executor::nextStep(bool skipConnectors) {
    if (!m_state.running) {
        return;
    }
    readLogLevel();
    try {
        resume();
        if (!m_state.running) {
            return;  // the paused block's dialog ended the run
        }
        step();
        constexpr int kEverySquare = kMaxBoards * kGridSize * kGridSize;
        for (int skipped = 0;
             skipConnectors && m_state.running && !m_paused && skipped < kEverySquare &&
             BlockCatalogue::isConnector(m_state.currentKind);
             ++skipped) {
            step();
        }
    } catch (const std::bad_alloc&) {
        outOfMemory();
    }
}

void Executor::resume() {
    if (!m_paused || !m_state.running) {
        return;
    }
    m_paused = false;
    m_workspace.executionIo().runStateChanged();
    arriveAndCount();
}

qint64 Executor::runSlice(qint64 maxSteps, qint64 sliceMillis) {
    readLogLevel();
    m_budget.startSlice(sliceMillis);
    qint64 done = 0;
    // Steps not yet spent: spent a batch at a time, or at once when a look is due (a long
    // operation in a step found the slice or the run over).
    constexpr int kBatch = 64;
    int unspent = 0;
    try {
        while (m_state.running && !m_paused && done < maxSteps) {
            const qint64 before = m_steps;
            if (skipConnectors(maxSteps - done)) {
                done += m_steps - before;
            } else {
                step();
                ++done;
            }
            if (m_state.running && m_workspace.executionIo().abortRequested()) {
                stop();
            }
            // The steps' own work; what their blocks went over was spent as they went.
            if (++unspent == kBatch || m_budget.due()) {
                const bool goOn = m_budget.spend(unspent * RunBudget::StepWork);
                unspent = 0;
                if (!goOn && !endOverBudget()) {
                    break;  // the slice's time is up
                }
            }
        }
    } catch (const std::bad_alloc&) {
        outOfMemory();
    }
    return done;
}

bool Executor::begin() {
    if (m_state.running) {
        return false;
    }
    m_end = RunEnd::None;
    m_steps = 0;
    m_paused = false;
    m_budget.startRun();
    m_state.runBoard = 1;
    m_state.currentKind = KindStart;
    m_workspace.reseedRandom();

    BoardCheck check(m_workspace.checkTools());
    const bool passed = check.checkEveryBoard();
    for (const Status& trouble : check.troubles()) {
        m_workspace.messages().showStatus(trouble, m_workspace.texts());
    }
    if (!passed) {
        m_state.running = false;
        if (!checkEndedByBudget()) {
            // The failing board's result stands as it was found, marks included.
            showBoardCheck(m_workspace.checkReport(), check.lastResult(), m_workspace.texts());
            m_workspace.messages().showMessage(MessageSink::Close, MessageSink::Warning,
                                               m_workspace.texts().text(texts::BoardCheckFailed));
            m_end = RunEnd::CheckFailed;
        }
        m_budget.endRun();
        m_workspace.executionIo().runStateChanged();
        return false;
    }

    for (int n = 1; n <= kMaxBoards; ++n) {
        clearMarks(n);
        // Every board starts downward, so nothing of an earlier run steers this one.
        m_heading[static_cast<std::size_t>(n - 1)] = Down;
        m_project.board(n).runDirection = kLetters[Down];
    }
    loadVariables();
    resolveLinks();
    readLogLevel();
    const std::optional<CellRef> start = m_project.findKind(KindStart, 1);
    if (!start || start->board != 1) {
        return false;  // the check guarantees a Start on board 1
    }
    m_state.running = true;
    placeAt(*start);
    setMark(true);
    m_paused = pausesHere();
    m_project.activeBoard = m_state.runBoard;
    ExecutionIo& io = m_workspace.executionIo();
    io.boardsChanged();
    io.showVariables();
    io.runStateChanged();
    return true;
}

void Executor::loadVariables() {
    std::vector<std::pair<QString, QString>> variables;
    for (int n = 1; n <= m_project.boardCount; ++n) {
        Board& board = m_project.board(n);
        int count = 0;
        board.forEachUsedCell([&](const Cell& cell, int, int) {
            if (cell.kindCode == KindVariable) {
                variables.emplace_back(cell.name, cell.startValue());
                ++count;
            }
        });
        board.variableCount = count;
    }
    if (variables.empty()) {
        m_variables.loadVariables(QString());
        m_workspace.messages().showMessage(MessageSink::Close, MessageSink::Information,
                                           m_workspace.texts().text(texts::NoVisibleVariables));
        return;
    }
    const auto& constants = VariablesList::constants();
    variables.insert(variables.end(), constants.begin(), constants.end());
    m_variables.loadVariables(variables);
}

void Executor::resolveLinks() {
    for (auto& target : m_targets) {
        target.reset();
    }
    for (auto& formula : m_formulas) {
        formula = {};
    }
    for (auto& names : m_arrayNames) {
        names = {};
    }
    for (int n = 1; n <= m_project.boardCount; ++n) {
        m_project.board(n).forEachUsedCell(
            [this, n](const Cell& cell, int c, int r) { resolveCell(cell, slot(n, c, r)); });
        resolveConnectorRuns(n);
    }
}

void Executor::resolveConnectorRuns(int n) {
    const Board& board = m_project.board(n);
    const int columns = std::min(board.columns, kGridSize);
    const int rows = std::min(board.rows, kGridSize);
    // A ring of nothing but connectors is passed a lap at a time.
    constexpr int kLongestRun = kGridSize * kGridSize;
    for (int column = 1; column <= columns; ++column) {
        for (int row = 1; row <= rows; ++row) {
            for (int arriving = 0; arriving < 4; ++arriving) {
                ConnectorRun& run =
                    m_connectorRuns[slot(n, column, row) * 4 + static_cast<std::size_t>(arriving)];
                run = {};
                int c = column;
                int r = row;
                auto heading = static_cast<Heading>(arriving);
                // Each step performs the connector it stands on (a turn) and moves one cell;
                // a move off the cells in use or onto an empty one is left to step(), which
                // aborts the run there.
                while (run.steps < kLongestRun && board.cell(c, r).occupied &&
                       BlockCatalogue::isConnector(board.cell(c, r).kindCode)) {
                    const Cell& cell = board.cell(c, r);
                    const Heading leaving = turn(cell.kindCode, cell.mode, heading);
                    const int nextColumn = c + (leaving == Right) - (leaving == Left);
                    const int nextRow = r + (leaving == Down) - (leaving == Up);
                    if (nextColumn < 1 || nextColumn > columns || nextRow < 1 || nextRow > rows ||
                        !board.cell(nextColumn, nextRow).occupied) {
                        break;
                    }
                    heading = leaving;
                    c = nextColumn;
                    r = nextRow;
                    ++run.steps;
                }
                run.column = static_cast<qint8>(c);
                run.row = static_cast<qint8>(r);
                run.heading = heading;
            }
        }
    }
}

// What step() does over a stretch of connectors, done at once: the steps counted, the mark
// moved from the first to the last cell, the board's direction as the last turn left it, and
// the arrival at the block the stretch leads to. Only when nobody looks between the steps
// (no trace, no observer, not stepping, no breakpoints) and the step limit and the slice's
// `room` are not reached within it; false, having done nothing, otherwise.
bool Executor::skipConnectors(qint64 room) {
    if (!BlockCatalogue::isConnector(m_state.currentKind) || m_trace || m_observer != nullptr ||
        m_state.stepMode || !m_breakpoints.isEmpty()) {
        return false;
    }
    const ConnectorRun& run =
        m_connectorRuns[currentSlot() * 4 + static_cast<std::size_t>(heading())];
    if (run.steps == 0 || run.steps > room ||
        (m_stepLimit > 0 && m_steps + run.steps >= m_stepLimit)) {
        return false;
    }
    m_steps += run.steps;
    setMark(false);
    m_state.runColumn = run.column;
    m_state.runRow = run.row;
    m_cell = &m_board->cell(run.column, run.row);
    m_state.currentKind = m_cell->kindCode;
    setHeading(m_state.runBoard, run.heading);
    setMark(true);
    arriveAndCount();
    return true;
}

void Executor::resolveCell(const Cell& cell, std::size_t at) {
    const TCalcul& calculator = m_variables.calculator();
    switch (cell.kindCode) {
        case KindEnd:
        case KindBranchEnd:
            m_targets[at] = m_project.findBlockByName(cell.link(), 1);
            break;
        case KindCall: {
            // Only a Start on the named board itself will do; a missing board or Start stops
            // the run when the call is reached.
            const int board = m_project.findBoardByName(cell.link());
            if (board >= 1 && board <= m_project.boardCount) {
                const std::optional<CellRef> start = m_project.findKind(KindStart, board);
                if (start && start->board == board) {
                    m_targets[at] = start;
                }
            }
            break;
        }
        case KindAssign:
            m_formulas[at] =
                calculator.prepare(cell.variable() + QStringLiteral(":=") + cell.formula());
            break;
        case KindCompareVars:
            m_formulas[at] = calculator.prepare(
                cell.variable() + BlockCatalogue::comparisonOperator(cell.comparison()) +
                cell.otherVariable());
            break;
        case KindCompareFormula:
            m_formulas[at] = calculator.prepare(
                cell.variable() + BlockCatalogue::comparisonOperator(cell.comparison()) + u'(' +
                cell.formula() + u')');
            break;
        case KindArrayWrite:
            m_arrayNames[at] = {{plainName(cell.variable())},
                                {},
                                {cell.arrayIndex().toUpper()},
                                {cell.arrayOther().toUpper()}};
            break;
        case KindArrayRead:
            m_arrayNames[at] = {{plainName(cell.variable())},
                                {plainName(cell.arrayOther())},
                                {cell.arrayIndex().toUpper()},
                                {}};
            break;
        default:
            break;
    }
}

void Executor::step() {
    if (m_paused) {
        resume();  // the paused block's dialog first, as nextStep() does
    }
    if (!m_state.running) {
        return;
    }
    ++m_steps;
    if (m_trace) {
        m_trace(m_steps, m_state);
    }
    setMark(false);
    const CellRef at{m_state.runBoard, m_state.runColumn, m_state.runRow};
    const Cell& performed = *m_cell;
    if (m_state.currentKind == KindEnd && m_state.runBoard == 1) {
        if (m_observer != nullptr) {
            m_observer->performed(m_steps, at, performed, false);
        }
        finish(RunEnd::Finished);
        return;
    }
    m_conditionHeld = false;
    performCurrent();
    if (m_observer != nullptr && m_state.running) {
        m_observer->performed(m_steps, at, performed, m_conditionHeld);
    }
    if (m_state.running) {
        move();
    }
    if (m_state.running) {
        setMark(true);
        if (pausesHere()) {
            m_paused = true;
            m_workspace.executionIo().runStateChanged();
            return;
        }
        arriveAndCount();
    }
}

// What reaching a cell does after the move (or after a pause on it), and the step limit.
void Executor::arriveAndCount() {
    // The pupil must see where the run stands before the block's dialog asks anything.
    if (m_state.stepMode) {
        m_workspace.executionIo().runStateChanged();
    }
    arrive();
    if (m_state.running && m_stepLimit > 0 && m_steps >= m_stepLimit) {
        setMark(false);
        finish(RunEnd::StepLimit);
    }
}

void Executor::performCurrent() {
    Cell& cell = *m_cell;
    switch (m_state.currentKind) {
        case KindStart:
        case KindBranchStart:
            setHeading(m_state.runBoard, Down);
            break;
        case KindEnd:
            jumpTo(currentSlot());
            // The active board follows the run, back on the calling board.
            m_project.activeBoard = m_state.runBoard;
            break;
        case KindBranchEnd:
            setHeading(m_state.runBoard, Down);
            jumpTo(currentSlot());
            if (m_state.running && m_state.currentKind == KindBranchStart) {
                // A branch start always leaves downward, on whichever board it stands.
                setHeading(m_state.runBoard, Down);
            }
            m_project.activeBoard = m_state.runBoard;
            break;
        case KindCall:
            callBoard();
            break;
        case KindRandom:
            drawRandom(cell);
            break;
        case KindAssign:
            assign();
            break;
        case KindCompareVars:
        case KindCompareFormula:
            compare();
            break;
        case KindArrayWrite:
            writeArray(cell);
            break;
        case KindArrayRead:
            readArray(cell);
            break;
        case KindJoinRight:
        case KindJoinLeft:
        case KindCornerTopRight:
        case KindCornerBottomRight:
        case KindCornerLeftBottom:
        case KindCornerTopLeft:
            setHeading(m_state.runBoard, turn(m_state.currentKind, cell.mode, heading()));
            break;
        default:
            break;
    }
}

Executor::Heading Executor::turn(int kind, int mode, Heading arriving) {
    switch (kind) {
        case KindJoinRight:
        case KindJoinLeft:
            if (arriving == Down || arriving == Up) {
                return arriving;
            }
            return mode != 0 ? Up : Down;
        case KindCornerTopRight:
            return arriving == Down ? Right : Up;
        case KindCornerBottomRight:
            return arriving == Left ? Down : Right;
        case KindCornerLeftBottom:
            return arriving == Right ? Down : Left;
        case KindCornerTopLeft:
            return arriving == Right ? Up : Left;
        default:
            return arriving;
    }
}

QString Executor::turned(int kind, int mode, const QString& arriving) {
    return kLetters[turn(kind, mode, headingOf(arriving))];
}

void Executor::move() {
    Board& board = *m_board;
    int column = m_state.runColumn;
    int row = m_state.runRow;
    switch (heading()) {
        case Down:
            ++row;
            break;
        case Up:
            --row;
            break;
        case Left:
            --column;
            break;
        case Right:
            ++column;
            break;
    }
    // Only the columns x rows in use are walked; leaving them, or stepping onto an empty
    // cell, means the drawing is broken where the check could not see it.
    if (column < 1 || column > std::min(board.columns, kGridSize) || row < 1 ||
        row > std::min(board.rows, kGridSize) || !board.cell(column, row).occupied) {
        abort();
        return;
    }
    m_state.runColumn = column;
    m_state.runRow = row;
    m_cell = &board.cell(column, row);
    m_state.currentKind = m_cell->kindCode;
}

void Executor::arrive() {
    const Cell& cell = *m_cell;
    ExecutionIo& io = m_workspace.executionIo();
    switch (m_state.currentKind) {
        case KindReadWrite:
            if (cell.writes()) {
                const QString value = CommentFormat::formatValue(
                    variableTypeOf(m_project, cell.variable()),
                    m_variables.variableValue(cell.variable()), cell.precision());
                openDialog(DialogMode::Show, texts::ExecutionResultTitle,
                           render(cell.prompt()) + u' ' + value, cell);
            } else {
                openDialog(DialogMode::Read, texts::ExecutionReadTitle, render(cell.prompt()),
                           cell);
            }
            break;
        case KindMessage:
            openDialog(DialogMode::Show, texts::ExecutionMessageTitle, render(cell.prompt()), cell);
            break;
        case KindQuestion:
            openDialog(DialogMode::Question, texts::ExecutionQuestionTitle, render(cell.prompt()),
                       cell);
            break;
        case KindAssign:
        case KindArrayWrite:
        case KindArrayRead:
            io.showVariables();
            break;
        case KindEnd:
        case KindBranchEnd:
        case KindVariable:
        case KindCall:
        case KindReturn:
            io.boardsChanged();
            break;
        default:
            break;
    }
}

QString Executor::render(const QString& comment) const {
    return CommentFormat::render(comment, RunValues(m_project, m_variables));
}

void Executor::openDialog(DialogMode mode, int titleText, const QString& text, const Cell& cell) {
    ExecutionDialogLogic dialog(m_workspace, mode, m_workspace.texts().text(titleText), text,
                                cell.kindCode, cell.variable());
    const DialogClose close = m_workspace.executionIo().showDialog(dialog);
    // What the dialog shows was made and printed: its length is work, and what a caller keeps
    // of it counts towards the memory.
    if (!m_budget.spend(text.size()) && endOverBudget()) {
        return;
    }
    switch (close) {
        case DialogClose::Closed:
            break;
        case DialogClose::AbortRequested:
            stop();
            break;
        case DialogClose::InputEnded:
            setMark(false);
            finish(RunEnd::InputEnded);
            break;
    }
}

void Executor::jumpTo(std::size_t from) {
    const std::optional<CellRef>& target = m_targets[from];
    if (!target) {
        abort();
        return;
    }
    placeAt(*target);
}

void Executor::callBoard() {
    const std::optional<CellRef>& start = m_targets[currentSlot()];
    if (!start) {
        abort();
        return;
    }
    placeAt(*start);
    setHeading(m_state.runBoard, Down);  // the calling board keeps its own direction
    m_project.activeBoard = m_state.runBoard;
}

void Executor::placeAt(const CellRef& at) {
    m_state.runBoard = at.board;
    m_state.runColumn = at.column;
    m_state.runRow = at.row;
    m_board = &m_project.board(at.board);
    m_cell = &m_board->cell(at.column, at.row);
    m_state.currentKind = m_cell->kindCode;
}

bool Executor::evaluate(const QString& formula, bool logFormula, QString& result) {
    if (logFormula && detailed()) {
        m_workspace.log().log(QStringLiteral("Insert formula: ") + formula);
    }
    Evaluation evaluation = m_variables.evaluate(formula);
    result = std::move(evaluation.result);
    return evaluation.ok;
}

bool Executor::evaluate(const PreparedFormula& formula, bool wantResult, QString& result) {
    if (detailed()) {
        m_workspace.log().log(QStringLiteral("Insert formula: ") + formula.text);
    }
    Evaluation evaluation = m_variables.evaluate(formula, wantResult);
    result = std::move(evaluation.result);
    return evaluation.ok;
}

void Executor::assign() {
    const PreparedFormula& prepared = m_formulas[currentSlot()];
    if (!detailed() && m_variables.assignNumber(prepared)) {
        m_variables.refreshVariablesList();
        m_workspace.executionIo().showVariables();
        return;
    }
    const QString& formula = prepared.text;
    QString result;
    // The result is shown only in the log's formula details.
    if (!evaluate(prepared, detailed(), result)) {
        formulaFailed(formula);
        return;
    }
    m_variables.refreshVariablesList();
    const TextTable& texts = m_workspace.texts();
    if (detailed()) {
        m_workspace.log().log(texts.text(texts::LogFormulaCorrect) + formula + u' ' +
                              texts.text(texts::LogResult) + result);
    }
    m_workspace.executionIo().showVariables();
}

void Executor::storeResult(const QString& formula, bool logFormula) {
    QString result;
    if (!evaluate(formula, logFormula, result)) {
        formulaFailed(formula);
        return;
    }
    if (detailed()) {
        m_workspace.log().log(QStringLiteral("Result: ") + result);
    }
    m_variables.refreshVariablesList();
}

void Executor::formulaFailed(const QString& formula) {
    if (endOverBudget()) {
        return;  // the budget's end, not the formula's fault
    }
    const TextTable& texts = m_workspace.texts();
    const QString& error = m_variables.lastError();
    m_workspace.messages().showMessage(MessageSink::Close, MessageSink::Warning,
                                       texts.text(texts::FormulaRunFailed) + u'\n' + error);
    m_workspace.log().logAbove(1, texts.text(texts::FormulaRunFailed) + u' ' +
                                      texts.text(texts::LogFormula) + formula + u' ' + error);
    abort();
}

void Executor::compare() {
    bool holds = false;
    if (!detailed() && m_variables.orderNumbers(m_formulas[currentSlot()], holds)) {
        m_conditionHeld = holds;
        setHeading(m_state.runBoard, holds ? Left : Right);
        return;
    }
    QString result;
    const bool ok = evaluate(m_formulas[currentSlot()], true, result);
    if (detailed()) {
        m_workspace.log().log(QStringLiteral("Result: ") + result);
    }
    if (!ok) {
        if (!endOverBudget()) {
            abort();
        }
        return;
    }
    const bool yes = result.size() == 1 && result.at(0) == u'1';
    m_conditionHeld = yes;
    setHeading(m_state.runBoard, yes ? Left : Right);
}

void Executor::drawRandom(const Cell& cell) {
    bool ok = false;
    const qint64 bound = cell.range().trimmed().toLongLong(&ok);
    if (!ok || bound < 1) {
        failProcessing();
        return;
    }
    const QString value = QString::number(m_workspace.random().uniform(0, bound - 1));
    if (const std::optional<CellRef> variable = m_project.findBlockByName(cell.variable())) {
        m_project.cell(*variable).shownValue() = value;
    }
    storeResult(cell.variable() + QStringLiteral(":=") + value, true);
}

// The value of a variable of the store where it lies; nullptr when the variables list is not
// the store's listing (then variableValue reads the list) or there is no such variable.
const QString* Executor::storedValue(StoreName& name) {
    if (!m_variables.variablesAreStored()) {
        return nullptr;
    }
    const TText& store = m_variables.calculator().variables();
    const int slot = name.slotIn(store);
    return slot >= 0 ? &store.valueAt(slot) : nullptr;
}

QString Executor::blockValue(const QString& name, StoreName& stored) {
    if (!m_variables.variablesAreStored()) {
        return m_variables.variableValue(name);
    }
    // What variableValue finds, without upper-casing and looking up the name on every step.
    const QString* value = storedValue(stored);
    return value ? *value : QString();
}

std::optional<qint64> Executor::indexValue(const QString& variable, StoreName& stored) {
    QString listed;
    const QString* value = &listed;
    if (!m_variables.variablesAreStored()) {
        listed = m_variables.variableValue(variable);
    } else if (const QString* found = storedValue(stored)) {
        value = found;  // read where it lies, not copied
    }
    const QString& text = *value;
    // Digits alone, the common case, read without the locale-aware conversion.
    constexpr qsizetype kMostDigits = 18;
    if (!text.isEmpty() && text.size() <= kMostDigits) {
        qint64 index = 0;
        bool digits = true;
        for (const QChar c : text) {
            if (c < u'0' || c > u'9') {
                digits = false;
                break;
            }
            index = index * 10 + (c.unicode() - u'0');
        }
        if (digits) {
            return index;
        }
    }
    bool ok = false;
    const qint64 index = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(index) : std::nullopt;
}

void Executor::writeArray(Cell& cell) {
    ArrayNames& names = m_arrayNames[currentSlot()];
    const std::optional<qint64> index = indexValue(cell.arrayIndex(), names.index);
    QString element = blockValue(cell.arrayOther(), names.value);
    if (element.startsWith(u'"')) {
        element = element.mid(1, element.size() - 2);
    }
    // An element that is empty or holds an asterisk or a quote would break the array's form.
    if (!index || element.isEmpty() || element.contains(u'*') || element.contains(u'"')) {
        failProcessing();
        return;
    }
    if (*index < 1) {
        return;  // there is no element before the first; nothing is written
    }
    if (writeArrayElement(cell, *index, element)) {
        return;
    }
    bool appended = false;
    const QString array = ArrayValue::withElement(m_variables.variableValue(cell.variable()),
                                                  *index, element, &appended);
    if (!m_budget.spend(array.size()) && endOverBudget()) {
        return;
    }
    if (array.size() > RunBudget::MaxTextLength + 2) {
        endWithError(m_variables.calculator().textTooLongError());
        return;
    }
    if (appended) {
        ++cell.appendCount();
    }
    storeResult(cell.variable() + QStringLiteral(":=") + array, true);
}

void Executor::readArray(const Cell& cell) {
    const std::optional<qint64> index =
        indexValue(cell.arrayIndex(), m_arrayNames[currentSlot()].index);
    if (!index) {
        failProcessing();
        return;
    }
    QString element;
    const int array = storedArraySlot();
    if (array >= 0) {
        const QString* found = m_variables.calculator().variables().arrayElementAt(array, *index);
        if (endOverBudget()) {
            return;  // the array's elements would not fit the memory limit
        }
        element = found ? *found : ArrayValue::Missing;
        if (readArrayElement(element)) {
            return;
        }
    } else {
        const QString value = m_variables.variableValue(cell.variable());
        if (!m_budget.spend(value.size()) && endOverBudget()) {
            return;
        }
        element = ArrayValue::element(value, *index);
    }
    storeResult(cell.arrayOther() + QStringLiteral(":=") + element, false);
}

// The array blocks store "NAME:=value" formulas; where such a formula would only store its
// literal value, the blocks work on the store's array elements directly (TText keeps them
// beside the text), so an element costs the same in an array of any length. These answer the
// slot of the current block's array (-1 when the formula must be built), and do the store's
// part, false when the formula must do it.
int Executor::storedArraySlot() {
    ArrayNames& names = m_arrayNames[currentSlot()];
    const TCalcul& calculator = m_variables.calculator();
    if (names.array.upper.isEmpty() || detailed() || !m_variables.variablesAreStored() ||
        calculator.quoteChar() != u'"' || calculator.variables().capturedEntries() != 0) {
        return -1;
    }
    return names.array.slotIn(calculator.variables());
}

bool Executor::writeArrayElement(Cell& cell, qint64 index, const QString& element) {
    const int array = storedArraySlot();
    TText& store = m_variables.calculator().variables();
    // An element holding a double quote would end the formula's text early.
    if (array < 0 || store.arrayHoldsQuote(array)) {
        return endOverBudget();  // the array's elements would not fit the memory limit
    }
    switch (store.setArrayElementAt(array, index, element)) {
        case TText::ArrayWrite::Appended:
            ++cell.appendCount();
            break;
        case TText::ArrayWrite::Replaced:
            break;
        case TText::ArrayWrite::TooLong:
            endWithError(m_variables.calculator().textTooLongError());
            return true;
        case TText::ArrayWrite::NoMemory:
            endOverBudget();
            return true;
    }
    m_variables.noteLiteralAssignment(TCalcul::TypeText, TCalcul::KindArray);
    return true;
}

bool Executor::readArrayElement(const QString& element) {
    StoreName& target = m_arrayNames[currentSlot()].target;
    TText& store = m_variables.calculator().variables();
    const int slot = target.upper.isEmpty() ? -1 : target.slotIn(store);
    if (slot < 0 || !storedAsWritten(element)) {
        return false;
    }
    store.setValueAt(slot, element);
    m_variables.noteLiteralAssignment(TCalcul::TypeNumber, TCalcul::Classify(element));
    return true;
}

void Executor::failProcessing() {
    const QString text = m_workspace.texts().text(texts::FormulaProcessingFailed);
    m_workspace.messages().showMessage(MessageSink::Close, MessageSink::Warning, text);
    m_workspace.log().logAbove(2, text);
    abort();
}

void Executor::endWithError(const QString& text) {
    if (!m_state.running) {
        return;
    }
    m_workspace.messages().showMessage(MessageSink::Close, MessageSink::Warning, text);
    m_workspace.log().logAbove(
        1, QStringLiteral("Error. ") + text + QStringLiteral(" Abort execution."));
    end(RunEnd::Aborted);
}

bool Executor::endOverBudget() {
    switch (m_budget.over()) {
        case RunBudget::Over::Nothing:
            return false;
        case RunBudget::Over::Time:
            if (m_state.running) {
                end(RunEnd::TimeLimit);
                m_workspace.log().logAbove(1, QStringLiteral("Run stopped at its time limit."));
            }
            return true;
        case RunBudget::Over::Stopped:
            stop();
            return true;
        case RunBudget::Over::Memory:
        case RunBudget::Over::OutOfMemory:
            endWithError(m_variables.calculator().budgetError());
            return true;
    }
    return false;
}

// The check evaluates the project's formulas within the run's limits too; one that the limits
// cut short found no fault, and the run ends as the limit says.
bool Executor::checkEndedByBudget() {
    switch (m_budget.over()) {
        case RunBudget::Over::Nothing:
            return false;
        case RunBudget::Over::Time:
            m_end = RunEnd::TimeLimit;
            return true;
        case RunBudget::Over::Stopped:
            m_end = RunEnd::Stopped;
            return true;
        case RunBudget::Over::Memory:
        case RunBudget::Over::OutOfMemory:
            m_workspace.messages().showMessage(MessageSink::Close, MessageSink::Warning,
                                               m_variables.calculator().budgetError());
            m_end = RunEnd::Aborted;
            return true;
    }
    return false;
}

void Executor::outOfMemory() {
    m_budget.refusedMemory();
    try {
        endOverBudget();
    } catch (const std::bad_alloc&) {
        // Not even the message could be made: the run ends without it.
        m_state.running = false;
        m_paused = false;
        m_end = RunEnd::Aborted;
        m_budget.endRun();
    }
}

void Executor::abort() {
    if (!m_state.running) {
        return;
    }
    end(RunEnd::Aborted);
    m_workspace.messages().showMessage(MessageSink::Close, MessageSink::Warning,
                                       m_workspace.texts().text(texts::BoardProcessingFailed));
    m_workspace.log().logAbove(1, QStringLiteral("Error. ") + m_variables.lastError() +
                                      QStringLiteral(" Abort execution."));
}

void Executor::stop() {
    if (!m_state.running) {
        return;
    }
    end(RunEnd::Stopped);
    m_workspace.messages().showMessage(MessageSink::Close, MessageSink::Information,
                                       m_workspace.texts().text(texts::RunStoppedByUser));
    m_workspace.log().logAbove(1, QStringLiteral("Run stopped by the user."));
}

// What every ending of a run in progress shares: the dialog closes and the marks go.
void Executor::end(RunEnd why) {
    ExecutionIo& io = m_workspace.executionIo();
    io.closeDialog();
    m_state.running = false;
    m_paused = false;
    m_end = why;
    m_budget.endRun();
    clearMarks(m_project.activeBoard);
    clearMarks(m_state.runBoard);
    io.runStateChanged();
}

void Executor::finish(RunEnd end) {
    m_state.running = false;
    m_paused = false;
    m_end = end;
    m_budget.endRun();
    m_workspace.executionIo().runStateChanged();
}

void Executor::readLogLevel() {
    // Formula details are logged only at the highest level; below it their texts are not even
    // built. The level is read once per slice of steps, so a change applies from the next one.
    m_detailed = m_workspace.log().level() > 4;
}

void Executor::setHeading(int board, Heading heading) {
    Heading& current = m_heading[static_cast<std::size_t>(board - 1)];
    if (current != heading) {
        current = heading;
        m_project.board(board).runDirection = kLetters[heading];
    }
}

void Executor::setMark(bool marked) {
    m_cell->marked = marked;
}

void Executor::clearMarks(int n) {
    m_project.board(n).clearMarks();
}

}  // namespace trevalon
