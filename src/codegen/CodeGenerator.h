#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <utility>
#include <vector>

#include "codegen/CodeTarget.h"
#include "codegen/GeneratedCode.h"
#include "codegen/TargetLanguage.h"

namespace trevalon {
class TextTable;
}

namespace trevalon::codegen {

class BlockWriter;
class FlowGraph;
class VariableTable;

// Translates a whole project into a program of the target language that does what a run
// does: the same prompts and output for the same input, procedures as functions, loops and
// choices as the language writes them. Pseudo-code speaks the text table's language; so do
// the weekday names of `nameday`, as in a run.
class CodeGenerator {
public:
    // The project and the text table must outlive the generator.
    CodeGenerator(const Project& project, const TextTable& texts, Target target);

    // The ranges the check drew test values from before a run (RandomSource::uniform calls, in
    // order). A program with random-number blocks draws them too before it starts, so that
    // the same seed gives the same numbers as `trevalon-cli run --seed`.
    void setCheckDraws(std::vector<std::pair<qint64, qint64>> draws) {
        m_checkDraws = std::move(draws);
    }

    // `title` names the project in the generated file's first comment.
    GeneratedCode generate(const QString& title) const;

private:
    bool writeRoutine(const FlowGraph& graph, std::size_t index, BlockWriter& blocks,
                      const HelperSet& helpers, const VariableTable& variables,
                      std::vector<GeneratedLine>& body, QStringList& declarations,
                      int* dispatched) const;
    Status declareVariables(const VariableTable& variables, HelperSet& helpers,
                            QStringList& lines) const;

    const Project& m_project;
    const TextTable& m_texts;
    std::unique_ptr<const TargetLanguage> m_language;
    std::vector<std::pair<qint64, qint64>> m_checkDraws;
};

}  // namespace trevalon::codegen
