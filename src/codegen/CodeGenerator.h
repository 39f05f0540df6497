#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "codegen/CodeTarget.h"
#include "codegen/GeneratedCode.h"

namespace trevalon {
class TextTable;
}

namespace trevalon::codegen {

class BlockWriter;
class FlowGraph;
class VariableTable;
struct Variable;

// Translates a whole project into a program of the target language that does what a run
// does: the same prompts and output for the same input, procedures as functions, loops and
// choices as the language writes them. Pseudo-code speaks the text table's language; so do
// the weekday names of `nameday`, as in a run.
class CodeGenerator {
public:
    CodeGenerator(const Project& project, const TextTable& texts, Target target)
        : m_project(project), m_texts(texts), m_target(target) {}

    // The ranges the check drew test values from before a run (RandomSource::uniform calls, in
    // order). A program with random-number blocks draws them too before it starts, so that
    // the same seed gives the same numbers as `trevalon-cli run --seed`.
    void setCheckDraws(std::vector<std::pair<qint64, qint64>> draws) {
        m_checkDraws = std::move(draws);
    }

    // `title` names the project in the generated file's first comment.
    GeneratedCode generate(const QString& title) const;

private:
    QStringList checkDraws(bool cpp) const;
    bool writeRoutine(const FlowGraph& graph, std::size_t index, BlockWriter& blocks,
                      const HelperSet& helpers, const VariableTable& variables,
                      std::vector<GeneratedLine>& body, QStringList& declarations,
                      int* dispatched) const;
    QString declaration(const Variable& v, const QString& start) const;
    // Answers the number of the first line after the helper functions.
    int writeHead(const QString& title, const HelperSet& helpers, const QStringList& variables,
                  const QStringList& declarations, std::vector<GeneratedLine>& lines) const;

    const Project& m_project;
    const TextTable& m_texts;
    Target m_target;
    std::vector<std::pair<qint64, qint64>> m_checkDraws;
};

}  // namespace trevalon::codegen
