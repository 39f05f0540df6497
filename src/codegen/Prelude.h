#pragma once

#include <QStringList>

#include "codegen/CodeTarget.h"

namespace trevalon::codegen {

// The helper functions of the generated code, written out only when the translation used
// them (with the helpers they call in turn), in one fixed order. `english` chooses the
// weekday names of `nameday`, as the interface language does in a run.
class Prelude {
public:
    // Lines to put at the top of the generated file: imports or includes, then the helpers.
    static QStringList lines(Target target, const HelperSet& used, bool english);
};

}  // namespace trevalon::codegen
