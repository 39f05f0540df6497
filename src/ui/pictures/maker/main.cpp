// The picture maker: draws every picture of the interface's catalogue and writes it as a JPEG,
// with the resource list that embeds them, into the build folder. Run by the build with the
// offscreen platform; it needs no display.
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <optional>

#include "Canvas.h"
#include "ContactSheet.h"
#include "JpegWriter.h"
#include "ui/pictures/PictureCatalogue.h"

using namespace trevalon;
using namespace trevalon::pictures;

namespace {

void complain(const QString& text) {
    std::fprintf(stderr, "picture maker: %s\n", qPrintable(text));
}

// Every catalogued picture has exactly one recipe, and no recipe draws an unlisted picture.
bool recipesMatchCatalogue(const Recipes& recipes) {
    bool ok = true;
    for (const PictureInfo& info : PictureCatalogue::all()) {
        if (!recipes.count(info.name)) {
            complain(QStringLiteral("no recipe for %1").arg(QLatin1String(info.name)));
            ok = false;
        }
    }
    for (const auto& entry : recipes) {
        if (!PictureCatalogue::find(QString::fromStdString(entry.first))) {
            complain(QStringLiteral("%1 is not in the catalogue")
                         .arg(QString::fromStdString(entry.first)));
            ok = false;
        }
    }
    return ok;
}

bool writeResourceList(const QString& folder) {
    QFile file(QDir(folder).filePath(QStringLiteral("pictures.qrc")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        complain(QStringLiteral("cannot write %1").arg(file.fileName()));
        return false;
    }
    QTextStream out(&file);
    out << "<RCC>\n  <qresource prefix=\"/pictures\">\n";
    for (const PictureInfo& info : PictureCatalogue::all()) {
        out << "    <file>" << info.name << ".jpg</file>\n";
    }
    out << "  </qresource>\n</RCC>\n";
    return true;
}

// What the command line asks for.
struct Options {
    QString folder;
    QString fonts;
    std::optional<QString> sheet;
    std::optional<QString> zoomSheet;  // the small pictures enlarged
    int quality = 95;
};

// The options, or nothing (after saying why) when the command line is wrong.
std::optional<Options> readOptions(const QCoreApplication& application) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("where to write"));
    const QCommandLineOption fonts(QStringLiteral("fonts"), QStringLiteral("DejaVu folder"),
                                   QStringLiteral("folder"),
                                   QStringLiteral("/usr/share/fonts/truetype/dejavu"));
    const QCommandLineOption sheet(QStringLiteral("sheet"), QStringLiteral("contact sheet PNG"),
                                   QStringLiteral("file"));
    const QCommandLineOption quality(QStringLiteral("quality"), QStringLiteral("JPEG quality"),
                                     QStringLiteral("0-100"), QStringLiteral("95"));
    const QCommandLineOption zoomSheet(QStringLiteral("zoom-sheet"),
                                       QStringLiteral("contact sheet of the small pictures, "
                                                      "enlarged"),
                                       QStringLiteral("file"));
    parser.addOptions({fonts, sheet, zoomSheet, quality});
    parser.process(application);
    if (parser.positionalArguments().size() != 1) {
        complain(QStringLiteral("usage: picture-maker FOLDER [--sheet FILE] [--fonts DIR]"));
        return std::nullopt;
    }
    Options options;
    options.folder = parser.positionalArguments().first();
    options.fonts = parser.value(fonts);
    if (parser.isSet(sheet)) {
        options.sheet = parser.value(sheet);
    }
    if (parser.isSet(zoomSheet)) {
        options.zoomSheet = parser.value(zoomSheet);
    }
    options.quality = qBound(50, parser.value(quality).toInt(), 100);
    return options;
}

// Draws every catalogued picture and writes it into `folder`; false (after saying why) when a
// picture comes out at another size or cannot be written.
bool drawPictures(const Recipes& recipes, const QString& folder, int quality,
                  std::vector<std::pair<QString, QImage>>& drawn) {
    for (const PictureInfo& info : PictureCatalogue::all()) {
        const QImage image = recipes.at(info.name)();
        if (image.width() != info.width || image.height() != info.height) {
            complain(QStringLiteral("%1 came out %2 x %3")
                         .arg(QLatin1String(info.name))
                         .arg(image.width())
                         .arg(image.height()));
            return false;
        }
        QString error;
        const QString path =
            QDir(folder).filePath(QLatin1String(info.name) + QLatin1String(".jpg"));
        if (!writeJpeg(image, path, quality, &error)) {
            complain(QStringLiteral("%1: %2").arg(path, error));
            return false;
        }
        drawn.emplace_back(QString::fromLatin1(info.name), image);
    }
    return true;
}

// The contact sheets that were asked for.
bool writeSheets(const Options& options, const std::vector<std::pair<QString, QImage>>& drawn) {
    if (options.sheet && !writeContactSheet(drawn, *options.sheet)) {
        complain(QStringLiteral("cannot write the contact sheet"));
        return false;
    }
    if (options.zoomSheet && !writeContactSheet(drawn, *options.zoomSheet, 3, 60)) {
        complain(QStringLiteral("cannot write the enlarged contact sheet"));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const std::optional<Options> options = readOptions(application);
    if (!options) {
        return 2;
    }
    QString missingFont;
    if (!loadPictureFonts(options->fonts, &missingFont)) {
        complain(QStringLiteral("cannot load the font %1").arg(missingFont));
        return 1;
    }
    if (!QDir().mkpath(options->folder)) {
        complain(QStringLiteral("cannot make the folder %1").arg(options->folder));
        return 1;
    }
    const Recipes recipes = allRecipes();
    if (!recipesMatchCatalogue(recipes)) {
        return 1;
    }
    std::vector<std::pair<QString, QImage>> drawn;
    const bool written = drawPictures(recipes, options->folder, options->quality, drawn) &&
                         writeResourceList(options->folder) && writeSheets(*options, drawn);
    return written ? 0 : 1;
}
