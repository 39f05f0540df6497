#include "codegen/GeneratedCode.h"

namespace trevalon::codegen {

QString GeneratedCode::text() const {
    QString out;
    for (const GeneratedLine& line : lines) {
        out += line.text + u'\n';
    }
    return out;
}

std::vector<int> GeneratedCode::linesOf(const CellRef& cell) const {
    std::vector<int> found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].cell == cell) {
            found.push_back(static_cast<int>(i));
        }
    }
    return found;
}

}  // namespace trevalon::codegen
