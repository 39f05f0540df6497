// Project files at their largest: three boards with every one of their 225 cells in use.

#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QtEndian>
#include <memory>

#include "FullProject.h"
#include "config/EventLog.h"
#include "config/TextTable.h"
#include "config/TpkXML.h"
#include "model/Project.h"
#include "storage/LegacyProjectReader.h"
#include "storage/ProjectFile.h"

using namespace trevalon;

namespace {

class QuietLog : public EventLog {
public:
    void log(const QString&) override {}
    int level() const override { return 0; }
};

using bench::fullProject;

QByteArray fullDocument(ProjectFile::Form form) {
    TpkXML document;
    ProjectFile::buildDocument(*fullProject(), document, form, QDateTime::currentDateTime());
    return document.saveToBuffer();
}

void writeProject(benchmark::State& state) {
    const auto project = fullProject();
    const auto form = static_cast<ProjectFile::Form>(state.range(0));
    qint64 bytes = 0;
    for (auto _ : state) {
        TpkXML document;
        ProjectFile::buildDocument(*project, document, form, QDateTime::currentDateTime());
        const QByteArray written = document.saveToBuffer();
        bytes += written.size();
        benchmark::DoNotOptimize(written.data());
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(writeProject)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void readProject(benchmark::State& state) {
    const QByteArray bytes = fullDocument(static_cast<ProjectFile::Form>(state.range(0)));
    QuietLog log;
    const TextTable texts;
    auto project = std::make_unique<Project>();
    for (auto _ : state) {
        TpkXML document;
        document.loadFromBuffer(bytes);
        benchmark::DoNotOptimize(ProjectFile::readDocument(*project, document, log, texts).ok());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(readProject)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void readLegacyProject(benchmark::State& state) {
    constexpr int size = LegacyProjectReader::LargeRecordSize;
    QByteArray bytes(3 * size, '\0');
    for (int n = 0; n < 3; ++n) {
        char* record = bytes.data() + n * size;
        qToLittleEndian<qint32>(8, record + 36);
        qToLittleEndian<qint32>(8, record + 40);
        qToLittleEndian<qint32>(LegacyProjectReader::LargeCellRoom, record + 2752);
        for (int j = 0; j < LegacyProjectReader::LargeCellRoom; ++j) {
            char* cell = record + 2984 + j * LegacyProjectReader::CellRecordSize;
            qToLittleEndian<qint32>(41, cell + 16);
            qToLittleEndian<qint32>(j % 15 + 1, cell + 28);
            qToLittleEndian<qint32>(j / 15 + 1, cell + 32);
        }
    }
    auto project = std::make_unique<Project>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LegacyProjectReader::convert(*project, bytes, size));
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(readLegacyProject)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
