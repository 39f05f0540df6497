#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "codegen/GeneratedCode.h"

namespace trevalon::codegen {

// Appends indented lines, each with the block it comes from.
class LineWriter {
public:
    explicit LineWriter(std::vector<GeneratedLine>& lines, QString indentUnit)
        : m_lines(lines), m_unit(std::move(indentUnit)) {}

    void line(const QString& text, std::optional<CellRef> cell = std::nullopt) {
        QString indented;
        for (int i = 0; i < m_depth; ++i) {
            indented += m_unit;
        }
        m_lines.push_back(GeneratedLine{text.isEmpty() ? QString() : indented + text, cell});
    }
    void indent() { ++m_depth; }
    void dedent() { --m_depth; }
    std::size_t size() const { return m_lines.size(); }

private:
    std::vector<GeneratedLine>& m_lines;
    QString m_unit;
    int m_depth = 0;
};

// Words of a text joined into lines of at most about `width` characters (a longer word keeps a
// line to itself); the text's blanks are where lines may end.
inline QStringList wrappedWords(const QString& text, qsizetype width) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(u' ')) {
        if (!line.isEmpty() && line.size() + word.size() > width) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return lines << line;
}

}  // namespace trevalon::codegen
