// Building the XML project file from the model: every board in use with its nine general
// values, every occupied cell (all 15 x 15, also those outside the board's columns x rows)
// numbered from 1 in column order, each with both extra values.

#include "config/TpkXML.h"
#include "config/Utf16Le.h"
#include "config/Windows1250.h"
#include "model/Board.h"
#include "model/Project.h"
#include "storage/ProjectFile.h"

namespace trevalon {
namespace {

class ValueWriter {
public:
    explicit ValueWriter(bool encoded) : m_encoded(encoded) {}

    void text(TpkXMLNode& parent, const QString& name, const QString& value) const {
        parent.addChild(name)->setText(m_encoded ? Utf16Le::toBase64(value) : value);
    }
    void integer(TpkXMLNode& parent, const QString& name, int value) const {
        text(parent, name, QString::number(value));
    }
    void boolean(TpkXMLNode& parent, const QString& name, bool value) const {
        text(parent, name, value ? QStringLiteral("1") : QStringLiteral("0"));
    }

private:
    bool m_encoded;
};

QString numbered(const char* name, int n) {
    return QLatin1StringView(name) + QString::number(n);
}

void writeCell(const ValueWriter& values, TpkXMLNode& node, const Cell& c) {
    values.integer(node, QStringLiteral("k"), c.column);
    values.integer(node, QStringLiteral("w"), c.row);
    values.boolean(node, QStringLiteral("zm"), c.isVariable);
    values.integer(node, QStringLiteral("wi"), c.scope);
    values.integer(node, QStringLiteral("tp"), c.mode);
    values.integer(node, QStringLiteral("nrw"), c.kindCode);
    values.integer(node, QStringLiteral("nrz"), c.group);
    values.integer(node, QStringLiteral("nrk"), c.index);
    values.text(node, QStringLiteral("t1"), c.name);
    values.text(node, QStringLiteral("t2"), c.text2);
    values.text(node, QStringLiteral("t3"), c.text3);
    values.text(node, QStringLiteral("t4"), c.text4);
    values.integer(node, QStringLiteral("ilad"), 2);
    values.integer(node, QStringLiteral("ad1"), c.extra1);
    values.integer(node, QStringLiteral("ad2"), c.extra2);
}

void writeBoard(const ValueWriter& values, TpkXMLNode& node, const Board& b) {
    values.integer(node, QStringLiteral("nws"), b.formatMarker);
    values.integer(node, QStringLiteral("pro"), b.kind);
    values.text(node, QStringLiteral("nam"), b.name);
    values.integer(node, QStringLiteral("ilw"), b.rows);
    values.integer(node, QStringLiteral("ilk"), b.columns);
    values.integer(node, QStringLiteral("xl"), b.left);
    values.integer(node, QStringLiteral("yl"), b.top);
    values.integer(node, QStringLiteral("ilkl"), b.occupiedCount());
    values.integer(node, QStringLiteral("ilz"), b.variableCount);
    int j = 0;
    b.forEachCell([&](const Cell& cell, int c, int r) {
        if (cell.occupied) {
            // The cell's place is its position in the grid, whatever its own fields say.
            Cell placed = cell;
            placed.column = c;
            placed.row = r;
            writeCell(values, *node.addChild(numbered("kl", ++j)), placed);
        }
    });
}

bool encodable(const Project& project) {
    if (!Windows1250::canEncode(project.note)) {
        return false;
    }
    for (int n = 1; n <= project.boardCount; ++n) {
        const Board& b = project.board(n);
        if (!Windows1250::canEncode(b.name)) {
            return false;
        }
        bool all = true;
        b.forEachCell([&all](const Cell& cell, int, int) {
            all =
                all && (!cell.occupied ||
                        (Windows1250::canEncode(cell.name) && Windows1250::canEncode(cell.text2) &&
                         Windows1250::canEncode(cell.text3) && Windows1250::canEncode(cell.text4)));
        });
        if (!all) {
            return false;
        }
    }
    return true;
}

}  // namespace

QString ProjectFile::formatSaveTime(const QDateTime& time) {
    return time.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
}

bool ProjectFile::buildDocument(const Project& project, TpkXML& document, Form form,
                                const QDateTime& savedAt, QString* problem) {
    if (project.boardCount < 1 || project.boardCount > kMaxBoards) {
        if (problem != nullptr) {
            *problem = QStringLiteral("board count %1 is outside 1..%2")
                           .arg(project.boardCount)
                           .arg(kMaxBoards);
        }
        return false;
    }
    document.root().clear();
    document.options = XmlWriteOptions();
    const bool encoded = form == Form::Encoded;
    // Base64 is plain ASCII; plain texts that Windows-1250 lacks go out as UTF-16.
    document.options.unicode = !encoded && !encodable(project);
    TpkXMLNode& root = *document.topElement(QStringLiteral("Trevalon"));
    if (encoded) {
        root.addChild(QStringLiteral("Code"))->setText(QStringLiteral("tr"));
    }
    const ValueWriter values(encoded);
    values.integer(root, QStringLiteral("ilp"), project.boardCount);
    values.text(root, QStringLiteral("lc"), project.note);
    values.text(root, QStringLiteral("dt"), formatSaveTime(savedAt));
    for (int n = 1; n <= project.boardCount; ++n) {
        writeBoard(values, *root.addChild(numbered("Pl", n)), project.board(n));
    }
    return true;
}

}  // namespace trevalon
