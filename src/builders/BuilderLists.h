#pragma once

#include <QString>
#include <QStringList>

namespace trevalon {

class TextTable;

// The six pick lists of the expression builder.
enum class BuilderList { Variables, Operations, MathFunctions, TextFunctions, Constants, Dates };

// What picking an entry puts into the formula: `text` replaces the selection, and the caret
// ends `caretOffset` characters after where the text went in.
struct Insertion {
    QString text;
    int caretOffset = 0;
    friend bool operator==(const Insertion&, const Insertion&) = default;
};

// The fixed entries of the five lists that do not depend on the project, their templates and
// help texts. The variables list is filled from the project (see VisibleVariables).
namespace builderlists {

// The entries as the list shows them; empty for `BuilderList::Variables`.
const QStringList& items(BuilderList list);

// The template for entry `index` of a fixed list; an empty insertion for an index out of range.
// Functions go in with empty argument places and the caret just inside the parenthesis;
// operators, constants and the concatenation " || " with the caret after them.
Insertion insertion(BuilderList list, int index);

// A variable goes in by name, with the caret after it.
Insertion variableInsertion(const QString& name);

// Number of the entry's help text in the text table: by type (1..7) for variables, by
// position for the others; 0 when there is none.
int helpTextNumber(BuilderList list, int index, int variableType = 0);

// The list's hint: the multi-line help text of the entry.
QString multiLineHelp(const TextTable& texts, int number);
// The status line's text: the single-line form (the number with 1 appended) where the table
// has one, otherwise the multi-line text.
QString singleLineHelp(const TextTable& texts, int number);

}  // namespace builderlists
}  // namespace trevalon
