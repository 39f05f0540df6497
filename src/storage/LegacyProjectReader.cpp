#include "storage/LegacyProjectReader.h"

#include <QtEndian>

#include "config/Windows1250.h"
#include "model/Project.h"
#include "storage/ModelLimits.h"

namespace trevalon {
namespace {

// Offsets within a board record.
constexpr int kBoardKind = 8;
constexpr int kBoardName = 12;
constexpr int kBoardNameField = 24;
constexpr int kRows = 36;
constexpr int kColumns = 40;
constexpr int kLeft = 44;
constexpr int kCellCount = 2752;
constexpr int kFirstCell = 2984;

// Offsets within a cell record.
constexpr int kIsVariable = 0;
constexpr int kScope = 4;
constexpr int kMode = 8;
constexpr int kKindCode = 16;
constexpr int kGroup = 20;
constexpr int kIndex = 24;
constexpr int kColumn = 28;
constexpr int kRow = 32;
constexpr int kShortTextField = 21;
constexpr int kLongTextField = 121;
constexpr int kTexts[] = {36, 57, 78, 99};
constexpr int kExtra1 = 220;
constexpr int kExtra2 = 224;

// A view of one record; every offset used is inside it by the layout above.
class Record {
public:
    Record(const QByteArray& bytes, qsizetype start) : m_data(bytes.constData() + start) {}

    int integer(int offset) const { return qFromLittleEndian<qint32>(m_data + offset); }
    unsigned char byte(int offset) const { return static_cast<unsigned char>(m_data[offset]); }
    // One length byte, then the characters; a length past the field is cut to the field.
    QString text(int offset, int field) const {
        const int length = std::min<int>(byte(offset), field - 1);
        return Windows1250::decode(QByteArrayView(m_data + offset + 1, length));
    }
    Record at(int offset) const { return Record(m_data + offset); }

private:
    explicit Record(const char* data) : m_data(data) {}
    const char* m_data;
};

bool convertCell(Project& project, int n, const Record& record) {
    const int column = record.integer(kColumn);
    const int row = record.integer(kRow);
    if (!Board::validPosition(column, row)) {
        return false;
    }
    Cell& c = project.cell(n, column, row);
    c.occupied = true;
    c.marked = false;
    c.board = n;
    c.isVariable = record.byte(kIsVariable) != 0;
    c.scope = record.integer(kScope);
    c.mode = record.integer(kMode);
    c.kindCode = record.integer(kKindCode);
    c.group = record.integer(kGroup);
    c.index = record.integer(kIndex);
    c.column = column;
    c.row = row;
    c.name = record.text(kTexts[0], kShortTextField);
    c.text2 = record.text(kTexts[1], kShortTextField);
    c.text3 = record.text(kTexts[2], kShortTextField);
    c.text4 = record.text(kTexts[3], kLongTextField);
    c.extra1 = record.integer(kExtra1);
    c.extra2 = record.integer(kExtra2);
    return ModelLimits::settleBlock(c);
}

bool convertBoard(Project& project, int n, const Record& record, int recordSize) {
    Board& b = project.board(n);
    b.number = n;
    b.kind = ModelLimits::clampBoardKind(record.integer(kBoardKind));
    b.name = record.text(kBoardName, kBoardNameField);
    b.rows = ModelLimits::clampSize(record.integer(kRows));
    b.columns = ModelLimits::clampSize(record.integer(kColumns));
    b.left = record.integer(kLeft);
    b.blockCount = record.integer(kCellCount);
    b.variableCount = ModelLimits::clampVariableCount(record.integer(recordSize - 8));
    b.changed = false;
    b.runDirection = QStringLiteral("D");
    const int room = recordSize == LegacyProjectReader::SmallRecordSize
                         ? LegacyProjectReader::SmallCellRoom
                         : LegacyProjectReader::LargeCellRoom;
    if (b.blockCount < 0 || b.blockCount > room) {
        return false;
    }
    for (int j = 1; j <= b.blockCount; ++j) {
        const int offset = kFirstCell + (j - 1) * LegacyProjectReader::CellRecordSize;
        if (!convertCell(project, n, record.at(offset))) {
            return false;
        }
    }
    ModelLimits::recountBlocks(b);
    return true;
}

}  // namespace

bool LegacyProjectReader::convert(Project& project, const QByteArray& bytes, int recordSize) {
    if (recordSize != SmallRecordSize && recordSize != LargeRecordSize) {
        return false;
    }
    const qsizetype records = bytes.size() / recordSize;
    // No board, a partial record, or more boards than the project holds.
    if (records < 1 || records > kMaxBoards || bytes.size() % recordSize != 0) {
        return false;
    }
    for (int n = 1; n <= kMaxBoards; ++n) {
        project.resetBoard(n);
        project.board(n).blockCount = 0;
    }
    for (int n = 1; n <= records; ++n) {
        if (!convertBoard(project, n, Record(bytes, (n - 1) * recordSize), recordSize)) {
            return false;
        }
    }
    project.boardCount = static_cast<int>(records);
    project.note.clear();
    project.lastModified.clear();
    project.clearChanged();
    return true;
}

}  // namespace trevalon
