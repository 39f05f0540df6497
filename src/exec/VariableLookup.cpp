#include "exec/VariableLookup.h"

#include "builders/VisibleVariables.h"

namespace trevalon {

int variableTypeOf(const Project& project, const QString& name) {
    const int exact = project.variableType(name);
    if (exact >= 0) {
        return exact;
    }
    return declaredVariableType(project, name);
}

}  // namespace trevalon
