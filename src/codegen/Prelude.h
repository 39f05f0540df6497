#pragma once

#include <QStringList>
#include <span>

#include "codegen/CodeTarget.h"

namespace trevalon::codegen {

// The helper functions of the generated code are written out only when the translation used
// them (with the helpers they call in turn), in one fixed order. Each language's target keeps
// its own table of them (PreludePython.inc, PreludeCpp.inc) and its imports or includes; these
// are the parts they share.
struct PreludeHelper {
    const char* name;
    const char* needs;  // helpers it calls, separated by blanks
    const char* code;
};

// `used` with every helper the used ones call, directly or not.
HelperSet withCalledHelpers(std::span<const PreludeHelper> table, HelperSet used);

// The code of each used helper of `table`, in the table's order, each followed by `blankLines`
// empty lines.
void appendHelpers(std::span<const PreludeHelper> table, const HelperSet& used, int blankLines,
                   QStringList& out);

// The constants every run loads beside the variables: name and value.
struct PreludeConstant {
    const char* name;
    const char* value;
};
std::span<const PreludeConstant> preludeConstants();

// Whether `used` holds the constant `c` (FormulaTranslator records it as "const:Name").
bool usesConstant(const HelperSet& used, const PreludeConstant& c);

// The weekday names `nameday` answers, in the interface language as in a run.
QStringList weekdayNames(bool english);

}  // namespace trevalon::codegen
