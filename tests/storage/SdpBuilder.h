#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <algorithm>
#include <optional>

#include "config/Windows1250.h"
#include "storage/LegacyProjectReader.h"

namespace trevalon::test {

// Makes files of the older binary project format, one board record at a time, for the tests
// of the legacy reader (no such file is kept in the repository).
class SdpBuilder {
public:
    struct CellSpec {
        int column = 1;
        int row = 1;
        int kindCode = 11;
        int mode = 0;
        int scope = 0;
        bool isVariable = false;
        QString name;
        QString text2;
        QString text3;
        QString text4;
        int extra1 = 0;
        int extra2 = 0;
    };

    struct BoardSpec {
        int kind = 0;
        QString name = QStringLiteral("Plansza");
        int rows = 8;
        int columns = 8;
        int left = 120;
        int variableCount = 0;
        QList<CellSpec> cells;
        std::optional<int> claimedCellCount;  // the stored count, when not cells.size()
    };

    static QByteArray record(const BoardSpec& board, int recordSize) {
        QByteArray bytes(recordSize, '\0');
        putInt(bytes, 8, board.kind);
        putText(bytes, 12, 24, board.name);
        putInt(bytes, 36, board.rows);
        putInt(bytes, 40, board.columns);
        putInt(bytes, 44, board.left);
        putInt(bytes, 2752, board.claimedCellCount.value_or(int(board.cells.size())));
        putInt(bytes, recordSize - 8, board.variableCount);
        for (int j = 0; j < board.cells.size(); ++j) {
            const int at = 2984 + j * LegacyProjectReader::CellRecordSize;
            if (at + LegacyProjectReader::CellRecordSize > recordSize - 8) {
                break;
            }
            const CellSpec& c = board.cells[j];
            bytes[at] = c.isVariable ? 1 : 0;
            putInt(bytes, at + 4, c.scope);
            putInt(bytes, at + 8, c.mode);
            putInt(bytes, at + 12, 0x5A5A5A5A);  // unused by the reader
            putInt(bytes, at + 16, c.kindCode);
            putInt(bytes, at + 20, c.kindCode / 10);
            putInt(bytes, at + 24, c.kindCode % 10);
            putInt(bytes, at + 28, c.column);
            putInt(bytes, at + 32, c.row);
            putText(bytes, at + 36, 21, c.name);
            putText(bytes, at + 57, 21, c.text2);
            putText(bytes, at + 78, 21, c.text3);
            putText(bytes, at + 99, 121, c.text4);
            putInt(bytes, at + 220, c.extra1);
            putInt(bytes, at + 224, c.extra2);
        }
        return bytes;
    }

    static void putInt(QByteArray& bytes, int offset, int value) {
        qToLittleEndian<qint32>(value, bytes.data() + offset);
    }

    // A length byte and the characters; the rest of the field is filled with junk the reader
    // must not show.
    static void putText(QByteArray& bytes, int offset, int field, const QString& text) {
        const QByteArray encoded = Windows1250::encode(text).left(field - 1);
        bytes[offset] = static_cast<char>(encoded.size());
        std::fill(bytes.begin() + offset + 1, bytes.begin() + offset + field, '#');
        std::copy(encoded.begin(), encoded.end(), bytes.begin() + offset + 1);
    }
};

}  // namespace trevalon::test
