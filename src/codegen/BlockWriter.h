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
    BlockWriter(const Project& project, const FlowGraph& graph, const TargetLanguage& language,
                VariableTable& variables, FormulaTranslator& formulas, const TextTable& texts)
        : m_project(project),
          m_graph(graph),
          m_language(language),
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
    std::vector<ShownPart> rendered(const QString& comment);
    ShownPart valuePart(QString literal, const QString& name, int precision);
    std::optional<Code> shown(const QString& name, int precision);
    bool action(const Cell& cell, LineWriter& out, const CellRef& at);
    bool assignment(const Cell& cell, LineWriter& out, const CellRef& at);
    bool read(const Cell& cell, LineWriter& out, const CellRef& at);
    void writeValue(const Cell& cell, LineWriter& out, const CellRef& at);
    void question(const Cell& cell, LineWriter& out, const CellRef& at);
    bool random(const Cell& cell, LineWriter& out, const CellRef& at);
    bool arrayBlock(const Cell& cell, LineWriter& out, const CellRef& at);
    static Code valueOf(const Variable& variable);

    const Project& m_project;
    const FlowGraph& m_graph;
    const TargetLanguage& m_language;
    VariableTable& m_variables;
    FormulaTranslator& m_formulas;
    const TextTable& m_texts;
    QString m_procedures[kMaxBoards];
    Status m_error;
};

}  // namespace trevalon::codegen
