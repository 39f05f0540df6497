// Writes the example flowcharts, the benchmarks' flowcharts and the faulty boards of the check's
// reasons (tests/data/check) with the program's own writer:
//   make_examples SOURCE_DIR
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include "ExampleFlowcharts.h"
#include "FaultyBoards.h"
#include "Recorders.h"
#include "config/TextTable.h"
#include "storage/ProjectFile.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: make_examples SOURCE_DIR\n";
        return 64;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    trevalon::test::RecordingLog log(0);
    const trevalon::TextTable texts;
    const auto write = [&](const trevalon::Project& project, const QString& file) {
        const QString path = root.filePath(file);
        QDir().mkpath(QFileInfo(path).path());
        if (const trevalon::Status saved = trevalon::ProjectFile::save(project, path, log, texts);
            !saved.ok()) {
            QTextStream(stderr) << saved.message(texts) << '\n';
            return false;
        }
        QTextStream(stdout) << path << '\n';
        return true;
    };
    for (const ExampleFlowchart& example : exampleFlowcharts()) {
        trevalon::Project project;
        example.build(project);
        if (!write(project, QString::fromLatin1(example.file))) {
            return 73;
        }
    }
    for (const trevalon::test::FaultyBoard& faulty : trevalon::test::faultyBoards()) {
        trevalon::Project project;
        trevalon::test::FlowBuilder f(project);
        faulty.build(f, project);
        if (!write(project, QStringLiteral("tests/data/check/%1.skb").arg(faulty.name))) {
            return 73;
        }
    }
    return 0;
}
