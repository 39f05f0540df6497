#pragma once

#include <QString>
#include <optional>

#include "codegen/FlowGraph.h"
#include "codegen/FormulaTranslator.h"
#include "codegen/LineWriter.h"
#include "codegen/VariableTable.h"

namespace trevalon {
class TextTable;
}

namespace trevalon::codegen {

// Writes what one block does as statements of the target language: assignments, the read,
// write, message, question and random blocks as input and output with the run's texts, array
// blocks, calls, returns, the end and the stop on an error.
class BlockWriter {
public:
    BlockWriter(const Project& project, const FlowGraph& graph, Target target,
                VariableTable& variables, FormulaTranslator& formulas, const TextTable& texts)
        : m_project(project),
          m_graph(graph),
          m_target(target),
          m_variables(variables),
          m_formulas(formulas),
          m_texts(texts) {}

    // The statements of `node`; `inMain` tells whether an End ends the program from main.
    // False, with error() telling why, for a block whose formula or names do not translate.
    bool write(int node, bool inMain, LineWriter& out);
    // The test of a comparison block, as it holds (negated: as it does not).
    std::optional<QString> condition(int node, bool negated);
    // The identifier of the procedure on `board`.
    QString procedureName(int board);

    const Status& error() const { return m_error; }
    bool fail(const Status& reason);

private:
    struct Part {
        QString literal;
        std::optional<Code> value;
        bool textValue = false;  // a text or array variable's value, which may hold a CR
    };
    std::vector<Part> rendered(const QString& comment);
    Part valuePart(QString literal, const QString& name, int precision);
    std::optional<Code> shown(const QString& name, int precision);
    QString output(const std::vector<Part>& parts);
    QString printLine(const std::vector<Part>& parts);
    QString textArgument(const std::vector<Part>& parts);
    QString statement(const QString& text) const;
    bool assignment(const Cell& cell, LineWriter& out, const CellRef& at);
    bool read(const Cell& cell, LineWriter& out, const CellRef& at);
    bool arrayBlock(const Cell& cell, LineWriter& out, const CellRef& at);
    QString store(const Variable& variable, const Code& value) const;

    const Project& m_project;
    const FlowGraph& m_graph;
    Target m_target;
    VariableTable& m_variables;
    FormulaTranslator& m_formulas;
    const TextTable& m_texts;
    QString m_procedures[kMaxBoards];
    Status m_error;
};

}  // namespace trevalon::codegen
