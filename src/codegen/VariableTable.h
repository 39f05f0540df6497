#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

#include "codegen/CodeTarget.h"
#include "codegen/TargetLanguage.h"
#include "model/Project.h"

namespace trevalon::codegen {

// A variable block as the generated code declares it.
struct Variable {
    QString name;        // as the flowchart writes it
    QString identifier;  // a valid, unique name in the target language
    int type = 1;        // the declared type 1..7
    QString start;       // the start value as the block holds it
    ValueKind kind = ValueKind::Int;
    ValueKind elementKind = ValueKind::Int;  // arrays: what their elements are read as
};

// The project's variables, board by board, column by column, row by row; a name that comes
// again (letter case aside) is the first one's, as in the Calculator's store. Also hands out
// identifiers for procedures, so that no two names of the generated code meet.
class VariableTable {
public:
    // `language` must outlive the table.
    VariableTable(const Project& project, const TargetLanguage& language);

    Variable* find(const QString& name);
    const Variable* find(const QString& name) const;
    std::vector<Variable>& all() { return m_variables; }
    const std::vector<Variable>& all() const { return m_variables; }

    // A fresh identifier made from `name` (TargetLanguage::identifierBase), unlike every one
    // given before and every keyword, built-in, macro and helper of the target language.
    QString identifier(const QString& name);

private:
    const TargetLanguage& m_language;
    std::vector<Variable> m_variables;
    QSet<QString> m_taken;  // in lower case
};

// The kind a declared type starts as.
ValueKind kindOfType(int type);

// Array elements of a value text such as "*1*5*3*" (with or without its double quotes).
QStringList arrayElements(const QString& value);

}  // namespace trevalon::codegen
