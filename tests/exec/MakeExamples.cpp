// Writes the example flowcharts and the benchmark's loop with the program's own writer:
//   make_examples SOURCE_DIR
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include "ExampleFlowcharts.h"
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
    trevalon::test::RecordingSink sink;
    trevalon::test::RecordingLog log(0);
    const trevalon::TextTable texts;
    for (const ExampleFlowchart& example : exampleFlowcharts()) {
        trevalon::Project project;
        example.build(project);
        const QString path = root.filePath(QString::fromLatin1(example.file));
        QDir().mkpath(QFileInfo(path).path());
        if (!trevalon::ProjectFile::save(project, path, sink, log, texts)) {
            QTextStream(stderr) << sink.messages.join(u'\n') << '\n';
            return 73;
        }
        QTextStream(stdout) << path << '\n';
    }
    return 0;
}
