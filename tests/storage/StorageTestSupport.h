#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "ProjectEquality.h"
#include "Recorders.h"
#include "model/Project.h"

namespace trevalon::test {

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

// The project of the committed sample files: two boards, Polish texts, quotes, ampersands,
// a line break and every kind of value a cell keeps.
void buildSampleProject(Project& project);

}  // namespace trevalon::test
