#include "storage/ModelLimits.h"

#include <algorithm>

#include "model/BlockCatalogue.h"
#include "model/Board.h"

namespace trevalon::ModelLimits {

int clampSize(int size) {
    return std::clamp(size, 1, kGridSize);
}

int clampBoardKind(int kind) {
    return kind >= BoardProgram && kind <= BoardFragment ? kind : BoardProgram;
}

int clampVariableCount(int count) {
    return std::clamp(count, 0, kMaxVariablesPerBoard);
}

int clampExtraCount(int count) {
    return std::clamp(count, 0, 2);
}

bool settleBlock(Cell& cell) {
    const KindInfo* info = BlockCatalogue::find(cell.kindCode);
    if (info == nullptr) {
        return false;
    }
    cell.group = info->group;
    cell.index = info->index;
    cell.isVariable = cell.kindCode == KindVariable;
    return !cell.isVariable || (cell.mode >= TypeInteger && cell.mode <= TypeDate);
}

void recountBlocks(Board& board) {
    board.blockCount = board.occupiedCount();
}

}  // namespace trevalon::ModelLimits
