#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "model/Project.h"

namespace trevalon::test {

// Remembers every message shown.
class RecordingSink : public MessageSink {
public:
    QStringList messages;
    int showMessage(int, int, const QString& text) override {
        messages << text;
        return ResultClose;
    }
};

// Remembers every line that the level lets through.
class RecordingLog : public EventLog {
public:
    explicit RecordingLog(int level = 5) : m_level(level) {}
    QStringList lines;
    void log(const QString& message) override { lines << message; }
    int level() const override { return m_level; }

private:
    int m_level;
};

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QString dataFile(const QString& name) {
    return QStringLiteral(TREVALON_TEST_DATA "/storage/") + name;
}

// Field-by-field equality of what a project file keeps.
inline bool sameCell(const Cell& a, const Cell& b) {
    return a.occupied == b.occupied && a.isVariable == b.isVariable && a.scope == b.scope &&
           a.mode == b.mode && a.kindCode == b.kindCode && a.group == b.group &&
           a.index == b.index && a.column == b.column && a.row == b.row && a.name == b.name &&
           a.text2 == b.text2 && a.text3 == b.text3 && a.text4 == b.text4 && a.extra1 == b.extra1 &&
           a.extra2 == b.extra2;
}

inline bool sameBoard(const Board& a, const Board& b) {
    if (a.formatMarker != b.formatMarker || a.kind != b.kind || a.name != b.name ||
        a.rows != b.rows || a.columns != b.columns || a.left != b.left || a.top != b.top ||
        a.blockCount != b.blockCount || a.variableCount != b.variableCount) {
        return false;
    }
    for (int c = 1; c <= kGridSize; ++c) {
        for (int r = 1; r <= kGridSize; ++r) {
            if (!sameCell(a.cell(c, r), b.cell(c, r))) {
                return false;
            }
        }
    }
    return true;
}

inline bool sameProject(const Project& a, const Project& b) {
    if (a.boardCount != b.boardCount || a.note != b.note) {
        return false;
    }
    for (int n = 1; n <= a.boardCount; ++n) {
        if (!sameBoard(a.board(n), b.board(n))) {
            return false;
        }
    }
    return true;
}

// The project of the committed sample files: two boards, Polish texts, quotes, ampersands,
// a line break and every kind of value a cell keeps.
void buildSampleProject(Project& project);

// Sets every field of a block directly (no placement defaults).
Cell& putBlock(Project& project, int n, int column, int row, int kindCode);

}  // namespace trevalon::test
