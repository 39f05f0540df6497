// Writes the sample project files of tests/data/storage: the sample project in plain and
// encoded values, each in Windows-1250 and in UTF-16. Run it by hand after a deliberate change
// to the file format: `storage_fixture_writer tests/data/storage`.

#include <QDateTime>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "StorageTestSupport.h"
#include "config/TpkXML.h"
#include "storage/ProjectFile.h"

int main(int argc, char* argv[]) {
    using namespace trevalon;
    if (argc != 2) {
        std::fputs("usage: storage_fixture_writer FOLDER\n", stderr);
        return 64;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    auto project = std::make_unique<Project>();
    test::buildSampleProject(*project);
    const QDateTime savedAt(QDate(2024, 3, 15), QTime(12, 30));
    const struct {
        const char* name;
        ProjectFile::Form form;
        bool unicode;
    } variants[] = {
        {"sample-plain.skb", ProjectFile::Form::Plain, false},
        {"sample-encoded.skb", ProjectFile::Form::Encoded, false},
        {"sample-plain-utf16.skb", ProjectFile::Form::Plain, true},
        {"sample-encoded-utf16.skb", ProjectFile::Form::Encoded, true},
    };
    for (const auto& variant : variants) {
        TpkXML document;
        ProjectFile::buildDocument(*project, document, variant.form, savedAt);
        document.options.unicode = variant.unicode;
        const QString path = folder + u'/' + QLatin1StringView(variant.name);
        if (!test::writeBytes(path, document.saveToBuffer())) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 73;
        }
    }
    return 0;
}
