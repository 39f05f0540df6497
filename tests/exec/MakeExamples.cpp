// Writes the example flowcharts and the benchmark's loop with the program's own writer:
//   make_examples SOURCE_DIR
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include "ExampleFlowcharts.h"
#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "config/TextTable.h"
#include "storage/ProjectFile.h"

namespace {

class PrintedMessages : public trevalon::MessageSink {
public:
    int showMessage(int, int, const QString& text) override {
        QTextStream(stderr) << text << '\n';
        return ResultClose;
    }
};

class NoLog : public trevalon::EventLog {
public:
    void log(const QString&) override {}
    int level() const override { return 0; }
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: make_examples SOURCE_DIR\n";
        return 64;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    PrintedMessages messages;
    NoLog log;
    const trevalon::TextTable texts;
    for (const ExampleFlowchart& example : exampleFlowcharts()) {
        trevalon::Project project;
        example.build(project);
        const QString path = root.filePath(QString::fromLatin1(example.file));
        QDir().mkpath(QFileInfo(path).path());
        if (!trevalon::ProjectFile::save(project, path, messages, log, texts)) {
            return 73;
        }
        QTextStream(stdout) << path << '\n';
    }
    return 0;
}
