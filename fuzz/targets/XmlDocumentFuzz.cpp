// Reads any bytes as an XML document (as a file, and forced to UTF-16), then writes what was
// read and reads that again: the second writing must give the same bytes as the first.
#include <cstdio>

#include "FuzzInput.h"
#include "config/TpkXML.h"

using namespace trevalon;

namespace {

void writeTwice(const QByteArray& input, bool forceUnicode, const XmlWriteOptions& options) {
    TpkXML document(options);
    document.loadFromBuffer(input, forceUnicode);
    document.options.writeEmptyElements = options.writeEmptyElements;
    const QByteArray written = document.saveToBuffer();
    TpkXML again(options);
    again.loadFromBuffer(written);
    again.options.unicode = document.options.unicode;
    again.options.writeEmptyElements = options.writeEmptyElements;
    if (const QByteArray rewritten = again.saveToBuffer(); rewritten != written) {
        std::fprintf(stderr, "written:\n%s\nrewritten:\n%s\n", written.toHex(' ').constData(),
                     rewritten.toHex(' ').constData());
        fuzz::fail("writing what was read from a written document changes it");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = fuzz::bytes(data, size);
    XmlWriteOptions keepEverything;
    keepEverything.writeEmptyElements = true;
    keepEverything.writeEmptyAttributes = true;
    writeTwice(input, false, XmlWriteOptions());
    writeTwice(input, false, keepEverything);
    writeTwice(input, true, XmlWriteOptions::compact());
    return 0;
}
