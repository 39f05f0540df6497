// Reads any bytes as an old binary project file, as small records and then as large ones, as
// opening does. A project it accepts must survive being saved in the current format.
#include <QDateTime>
#include <memory>

#include "FuzzInput.h"
#include "ProjectEquality.h"
#include "Recorders.h"
#include "config/TextTable.h"
#include "config/TpkXML.h"
#include "model/Project.h"
#include "storage/LegacyProjectReader.h"
#include "storage/ProjectFile.h"

using namespace trevalon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const TextTable texts;
    const QByteArray input = fuzz::bytes(data, size);
    auto scratch = std::make_unique<Project>();
    if (!LegacyProjectReader::convert(*scratch, input, LegacyProjectReader::SmallRecordSize) &&
        !LegacyProjectReader::convert(*scratch, input, LegacyProjectReader::LargeRecordSize)) {
        return 0;
    }
    auto project = std::make_unique<Project>();
    ProjectFile::adopt(*project, *scratch);
    TpkXML written;
    if (!ProjectFile::buildDocument(*project, written, ProjectFile::Form::Plain,
                                    QDateTime(QDate(2026, 12, 8), QTime(8, 0)))) {
        fuzz::fail("an accepted old project could not be written");
    }
    TpkXML reread;
    reread.loadFromBuffer(written.saveToBuffer());
    auto back = std::make_unique<Project>();
    test::RecordingLog log;
    if (!ProjectFile::readDocument(*back, reread, log, texts).ok() ||
        !test::sameProject(*project, *back)) {
        fuzz::fail("an old project changed when it was saved in the current format");
    }
    return 0;
}
