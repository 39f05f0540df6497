#pragma once

#include <vector>

#include "codegen/BlockWriter.h"
#include "codegen/LineWriter.h"
#include "codegen/Structurer.h"

namespace trevalon::codegen {

// Writes structured statements in the target language's own forms: if/else, while, a loop
// tested at its end where the language has one (do-while, repeat-until), and the state machine
// of a routine that could not be structured.
class StatementWriter {
public:
    StatementWriter(const TargetLanguage& language, BlockWriter& blocks, const FlowGraph& graph,
                    const TextTable& texts, LineWriter& out)
        : m_language(language), m_blocks(blocks), m_graph(graph), m_texts(texts), m_out(out) {}

    // A routine's body; a return or end that closes it anyway is left out.
    bool routine(const std::vector<Statement>& body, bool inMain);

private:
    bool statements(const std::vector<Statement>& body, bool closesRoutine);
    bool statement(const Statement& s);
    bool choice(const Statement& s);
    bool loop(const Statement& s);
    bool loopTestedAtEnd(const Statement& s, const Statement& tail, const EndTestedLoop& form);
    bool dispatch(const Statement& s);
    bool dispatchCase(const Statement& s, std::size_t index);
    void open(const QString& head, const std::optional<CellRef>& cell);
    void close(const QString& tail = QString());
    void fillEmptyBody();
    std::optional<CellRef> cellOf(int node) const;

    const TargetLanguage& m_language;
    BlockWriter& m_blocks;
    const FlowGraph& m_graph;
    const TextTable& m_texts;
    LineWriter& m_out;
    bool m_inMain = true;
};

}  // namespace trevalon::codegen
