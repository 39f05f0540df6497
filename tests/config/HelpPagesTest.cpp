#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <gtest/gtest.h>

namespace {

// F1 opens these pages from the folder the program was started in, in whatever browser the
// system has, with no network: each must be UTF-8 text whose pictures, stylesheet and links
// to the other language are files that ship beside it.
TEST(HelpPages, AreUtf8AndEveryLocalLinkLeadsToAFile) {
    const QDir root(QStringLiteral(TREVALON_SOURCE_DIR));
    const QString rootPath = root.canonicalPath() + QLatin1Char('/');
    // src="..." or href="..."; a value with a scheme ("https:", "mailto:") is not a file.
    const QRegularExpression reference(QStringLiteral(R"re(\b(src|href)="([^"]*)")re"));
    const QRegularExpression scheme(QStringLiteral("^[a-zA-Z][a-zA-Z0-9+.-]*:"));
    for (const char* page : {"Pomoc/index.htm", "Pomoc/en/index.htm"}) {
        SCOPED_TRACE(page);
        QFile file(root.filePath(QLatin1String(page)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(bytes);
        ASSERT_FALSE(utf8.hasError());
        EXPECT_TRUE(text.contains(QStringLiteral("<meta charset=\"utf-8\">")));

        const QDir folder = QFileInfo(file).absoluteDir();
        int files = 0;
        for (const QRegularExpressionMatch& m : reference.globalMatch(text)) {
            const QString target = m.captured(2).section(QLatin1Char('#'), 0, 0);
            if (m.captured(1) == QLatin1String("src")) {
                EXPECT_FALSE(scheme.match(target).hasMatch())
                    << "not local: " << target.toStdString();
            }
            if (target.isEmpty() || scheme.match(target).hasMatch()) {
                continue;  // a place on the same page, or a web address
            }
            const QFileInfo found(folder.filePath(target));
            EXPECT_TRUE(found.isFile()) << "missing: " << target.toStdString();
            EXPECT_TRUE(found.canonicalFilePath().startsWith(rootPath))
                << "outside the repository: " << target.toStdString();
            ++files;
        }
        // The stylesheet, the other language and the pictures at least.
        EXPECT_GT(files, 20);
    }
}

}  // namespace
