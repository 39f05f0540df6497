// Reads any bytes as a project file, plain or encoded. Every project the reader accepts is
// written in both forms and read back, and must come back field by field.
#include <QDateTime>
#include <memory>

#include "FuzzInput.h"
#include "ProjectEquality.h"
#include "Recorders.h"
#include "config/TextTable.h"
#include "config/TpkXML.h"
#include "model/Project.h"
#include "storage/ProjectFile.h"

using namespace trevalon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const TextTable texts;
    test::RecordingLog log;
    TpkXML document;
    document.loadFromBuffer(fuzz::bytes(data, size));
    auto project = std::make_unique<Project>();
    if (!ProjectFile::readDocument(*project, document, log, texts).ok()) {
        return 0;
    }
    const QDateTime savedAt(QDate(2026, 12, 8), QTime(7, 30, 5));
    for (const auto form : {ProjectFile::Form::Plain, ProjectFile::Form::Encoded}) {
        TpkXML written;
        if (!ProjectFile::buildDocument(*project, written, form, savedAt)) {
            fuzz::fail("an accepted project could not be written");
        }
        TpkXML reread;
        reread.loadFromBuffer(written.saveToBuffer());
        auto back = std::make_unique<Project>();
        if (!ProjectFile::readDocument(*back, reread, log, texts).ok()) {
            fuzz::fail("a written project was not read back");
        }
        if (!test::sameProject(*project, *back)) {
            fuzz::fail("a written project read back differently");
        }
        if (back->lastModified != ProjectFile::formatSaveTime(savedAt)) {
            fuzz::fail("the save time did not come back");
        }
    }
    return 0;
}
