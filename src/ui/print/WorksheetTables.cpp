#include "ui/print/WorksheetTables.h"

#include <QTextStream>

#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "config/TextIds.h"
#include "config/TextTable.h"
#include "exec/CheckCommands.h"
#include "exec/TextCheckReport.h"
#include "exec/Workspace.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"

namespace trevalon {
namespace {

const QString Assign = QStringLiteral(" := ");

// A field the pupil has not set yet is shown as a dash, not as the stored "Brak".
QString shown(const QString& field) {
    return field.isEmpty() || field == Project::Unset || field == Project::NoBlock
               ? QStringLiteral("—")
               : field;
}

// A type no editor writes (a damaged file) is shown as such rather than as another type.
QString typeName(int type, const TextTable& texts) {
    return type >= TypeInteger && type <= TypeDate
               ? texts.text(texts::TypeNameInteger + type - TypeInteger)
               : QStringLiteral("?");
}

QString startValue(const Cell& cell, const TextTable& texts) {
    if (cell.variableType() == TypeLogical) {
        return texts.text(cell.startValue() == QLatin1String("0") ? texts::LogicalFalse
                                                                  : texts::LogicalTrue);
    }
    return cell.startValue();
}

// What the block computes, reads, writes or says; empty for a block with none of it.
QString formulaText(const Cell& c, const TextTable& texts) {
    switch (c.kindCode) {
        case KindAssign:
            return shown(c.variable()) + Assign + shown(c.formula());
        case KindCompareVars:
        case KindCompareFormula:
            return shown(c.variable()) + QLatin1Char(' ') +
                   BlockCatalogue::comparisonOperator(c.comparison()) + QLatin1Char(' ') +
                   shown(c.comparedWith());
        case KindArrayWrite:
            return shown(c.variable()) + QLatin1Char('[') + shown(c.arrayIndex()) +
                   QLatin1Char(']') + Assign + shown(c.arrayOther());
        case KindArrayRead:
            return shown(c.arrayOther()) + Assign + shown(c.variable()) + QLatin1Char('[') +
                   shown(c.arrayIndex()) + QLatin1Char(']');
        case KindReadWrite:
            return texts.text(c.writes() ? texts::ModeWrite : texts::ModeRead) + QLatin1Char(' ') +
                   shown(c.variable());
        case KindRandom:
            return shown(c.variable()) + Assign + texts.text(texts::SchemaRandom) +
                   QLatin1Char('(') + shown(c.range()) + QLatin1Char(')');
        case KindMessage:
            return shown(c.prompt());
        case KindQuestion:
            return shown(c.prompt()) + QStringLiteral(" → ") + shown(c.variable());
        case KindCall:
        case KindReturn:
            return shown(c.link());
        default:
            return {};
    }
}

// A read or write block's own text is its comment; it is the dialog's line above the value.
QString commentText(const Cell& c) {
    return c.kindCode == KindReadWrite && c.prompt() != Project::Unset ? c.prompt() : QString();
}

class QuietSink : public MessageSink {
public:
    int showMessage(int, int, const QString&) override { return ResultClose; }
};

}  // namespace

std::vector<int> boardsInUse(const Project& project) {
    std::vector<int> boards;
    for (int n = 1; n <= project.boardCount; ++n) {
        if (project.board(n).occupiedCount() > 0) {
            boards.push_back(n);
        }
    }
    return boards;
}

WorksheetTables WorksheetTables::of(const Project& project, const TextTable& texts) {
    WorksheetTables tables;
    for (const int n : boardsInUse(project)) {
        const Board& board = project.board(n);
        const QString boardName = QStringLiteral("%1. %2").arg(n).arg(board.name);
        board.forEachUsedCell([&](const Cell& cell, int column, int row) {
            if (!cell.occupied) {
                return;
            }
            const QString place = QStringLiteral("%1,%2").arg(column).arg(row);
            if (cell.isVariable) {
                tables.variables.push_back(
                    {boardName, cell.name, typeName(cell.mode, texts),
                     texts.text(cell.scope == 0 ? texts::ScopeLocal : texts::ScopeGlobal),
                     startValue(cell, texts)});
                return;
            }
            const QString formula = formulaText(cell, texts);
            if (formula.isEmpty()) {
                return;
            }
            const KindInfo* kind = BlockCatalogue::find(cell.kindCode);
            tables.blocks.push_back({boardName, place + QLatin1Char(' ') + cell.name,
                                     kind ? texts.text(kind->hintText) : QString(), formula,
                                     commentText(cell)});
        });
    }
    return tables;
}

QStringList WorksheetTables::variableHeader(const TextTable& texts) {
    return {texts.text(texts::ColumnBoard), texts.text(texts::ColumnName),
            texts.text(texts::ColumnType), texts.text(texts::ColumnScope),
            texts.text(texts::ColumnStartValue)};
}

QStringList WorksheetTables::blockHeader(const TextTable& texts) {
    return {texts.text(texts::ColumnBoard), texts.text(texts::ColumnBlock),
            texts.text(texts::ColumnKind), texts.text(texts::ColumnFormula),
            texts.text(texts::ColumnComment)};
}

QStringList checkReportLines(const Project& project, const TextTable& texts,
                             const QString& projectName) {
    QuietSink sink;
    NoEventLog log;
    Workspace workspace(log, sink);
    workspace.setLanguage(texts.language());
    workspace.project() = project;
    workspace.setProjectName(projectName);
    QString text;
    QTextStream out(&text);
    TextCheckReport report(out, workspace.project(), workspace.texts());
    workspace.setCheckReport(&report);
    checkProject(workspace);
    workspace.setCheckReport(nullptr);
    out.flush();
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace trevalon
