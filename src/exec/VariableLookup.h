#pragma once

#include <QString>

#include "model/Project.h"

namespace trevalon {

// The type 1..7 of the variable block called `name`: the exact name first, as the model looks
// it up, then without regard to case, as the Calculator does. -1 when there is none.
int variableTypeOf(const Project& project, const QString& name);

}  // namespace trevalon
