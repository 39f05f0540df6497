#pragma once

#include <QString>

#include "codegen/CodeTarget.h"
#include "codegen/GeneratedCode.h"

namespace trevalon {
class TextTable;
}

namespace trevalon::codegen {

// Translates a whole project into a program of the target language that does what a run
// does: the same prompts and output for the same input, procedures as functions, loops and
// choices as the language writes them. Pseudo-code speaks the text table's language; so do
// the weekday names of `nameday`, as in a run.
class CodeGenerator {
public:
    CodeGenerator(const Project& project, const TextTable& texts, Target target)
        : m_project(project), m_texts(texts), m_target(target) {}

    // `title` names the project in the generated file's first comment.
    GeneratedCode generate(const QString& title) const;

private:
    const Project& m_project;
    const TextTable& m_texts;
    Target m_target;
};

}  // namespace trevalon::codegen
