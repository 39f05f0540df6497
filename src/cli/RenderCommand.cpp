#include <QCoreApplication>
#include <memory>

#include "cli/Commands.h"

#ifdef TREVALON_RENDER
#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>

#include "cli/CliOptions.h"
#include "cli/ProjectLoading.h"
#include "config/TextTable.h"
#include "model/Project.h"
#include "ui/print/PrintDocument.h"
#include "ui/print/WorksheetTables.h"
#include "ui/schema/SchemaPage.h"
#endif

namespace trevalon::cli {

#ifdef TREVALON_RENDER

namespace {

const QString Command = QStringLiteral("render");

// The board number of `--board`, 1 when absent; nullopt (reported) when it is not 1, 2 or 3.
std::optional<int> boardOption(const CliOptions& options, CommandIo& io) {
    const QString text = options.value(QStringLiteral("--board"), QStringLiteral("1"));
    bool ok = false;
    const int board = text.toInt(&ok);
    if (!ok || board < 1 || board > kMaxBoards) {
        usageError(Command, QStringLiteral("--board must be 1, 2 or 3"), io);
        return std::nullopt;
    }
    return board;
}

enum class Format { Png, Svg, Pdf };

// The format of `--out`, by its extension in any case; nullopt (reported) for another one.
std::optional<Format> outputFormat(const QString& path, CommandIo& io) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return Format::Png;
    }
    if (suffix == QLatin1String("svg")) {
        return Format::Svg;
    }
    if (suffix == QLatin1String("pdf")) {
        return Format::Pdf;
    }
    usageError(Command,
               QStringLiteral("--out %1: the file must end in .png, .svg or .pdf").arg(path), io);
    return std::nullopt;
}

// A half-written file would pass for a picture: it replaces the target only when complete.
// `write` fills the file; false when it could not.
template <typename Write>
int writeWhole(const QString& path, Write write, CommandIo& io) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !write(file) || !file.commit()) {
        io.err << "trevalon-cli render: cannot write " << path << ": " << file.errorString()
               << '\n';
        return ExitCantCreate;
    }
    return ExitOk;
}

int writeBytes(const QByteArray& bytes, const QString& path, CommandIo& io) {
    return writeWhole(
        path, [&bytes](QSaveFile& file) { return file.write(bytes) == bytes.size(); }, io);
}

// The schema page of `board` as a PNG picture, as the schema window saves it.
int renderPng(const Project& project, const TextTable& texts, int board, bool withVariables,
              const QString& out, CommandIo& io) {
    const SchemaPicture picture =
        SchemaPage::draw(project.board(board), texts, withVariables, QGuiApplication::font());
    if (picture.page.isNull()) {
        io.err << "trevalon-cli render: board " << board << " has no blocks to draw\n";
        return ExitFailed;
    }
    return writeWhole(
        out, [&picture](QSaveFile& file) { return picture.page.save(&file, "PNG"); }, io);
}

// The schema page of `request.board` as SVG or on an A4 page, or the worksheet, as the
// program's export writes them.
int renderDocument(const PrintSource& source, const PrintRequest& request, Format format,
                   const QString& out, CommandIo& io) {
    if (!PrintDocument::hasContent(source, request)) {
        if (request.content == PrintContent::Worksheet) {
            io.err << "trevalon-cli render: the project has no blocks to draw\n";
        } else {
            io.err << "trevalon-cli render: board " << request.board << " has no blocks to draw\n";
        }
        return ExitFailed;
    }
    const QByteArray bytes = format == Format::Svg ? PrintDocument::svg(source, request)
                                                   : PrintDocument::pdf(source, request);
    return writeBytes(bytes, out, io);
}

// `render`, and `grade` with a report that shows the boards.
bool drawsPictures(int argc, char** argv) {
    if (argc > 1 && qstrcmp(argv[1], "render") == 0) {
        return true;
    }
    if (argc < 2 || qstrcmp(argv[1], "grade") != 0) {
        return false;
    }
    for (int i = 2; i < argc && qstrcmp(argv[i], "--") != 0; ++i) {
        if (qstrcmp(argv[i], "--html") == 0 || qstrncmp(argv[i], "--html=", 7) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

QList<QByteArray> drawBoards(const Project& project, const TextTable& texts) {
    QList<QByteArray> pictures;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return pictures;
    }
    for (int n = 1; n <= project.boardCount; ++n) {
        const SchemaPicture picture =
            SchemaPage::draw(project.board(n), texts, false, QGuiApplication::font());
        if (picture.page.isNull()) {
            continue;
        }
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.page.save(&buffer, "PNG");
        pictures << png;
    }
    return pictures;
}

std::unique_ptr<QCoreApplication> createApplication(int& argc, char** argv) {
    if (drawsPictures(argc, argv)) {
        // Drawing text needs a GUI application, never a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // The offscreen platform's remarks about the session (no runtime folder, ...) are not
        // the user's business; the command's own messages go to io.err.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg) {
                fprintf(stderr, "%s\n", qPrintable(text));
            }
        });
        auto app = std::make_unique<QGuiApplication>(argc, argv);
        // The desktop program's font, so that the page reads the same.
        QGuiApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        return app;
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

int renderCommand(const QStringList& args, CommandIo& io) {
    const auto options =
        parseOptions(Command, args,
                     {QStringLiteral("--lang"), QStringLiteral("--board"), QStringLiteral("--out")},
                     {QStringLiteral("--variables"), QStringLiteral("--worksheet"),
                      QStringLiteral("--with-check")},
                     io);
    if (!options) {
        return ExitUsage;
    }
    const auto board = boardOption(*options, io);
    if (!board) {
        return ExitUsage;
    }
    const QString out = options->value(QStringLiteral("--out"));
    if (out.isEmpty()) {
        return usageError(Command, QStringLiteral("expects --out FILE.png, FILE.svg or FILE.pdf"),
                          io);
    }
    const auto format = outputFormat(out, io);
    if (!format) {
        return ExitUsage;
    }
    const bool worksheet = options->has(QStringLiteral("--worksheet"));
    if (worksheet && *format != Format::Pdf) {
        return usageError(Command, QStringLiteral("--worksheet writes a PDF: --out FILE.pdf"), io);
    }
    if (options->has(QStringLiteral("--with-check")) && !worksheet) {
        return usageError(Command, QStringLiteral("--with-check belongs to --worksheet"), io);
    }
    if (options->positional.size() != 1) {
        return usageError(Command, QStringLiteral("expects exactly one PROJECT"), io);
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        io.err << "trevalon-cli render: drawing needs the GUI application of trevalon-cli\n";
        return ExitUsage;
    }
    ProjectArgument input;
    if (const int loaded = input.load(options->positional.first(), options->language, io);
        loaded != ExitOk) {
        return loaded;
    }
    const Project& project = *input.project;
    const TextTable& texts = input.texts;
    if (*board > project.boardCount) {
        return usageError(Command,
                          QStringLiteral("the project has no board %1 (it has %2)")
                              .arg(*board)
                              .arg(project.boardCount),
                          io);
    }
    const bool withVariables = options->has(QStringLiteral("--variables"));
    if (*format == Format::Png) {
        return renderPng(project, texts, *board, withVariables, out, io);
    }
    const QString name = QFileInfo(options->positional.first()).completeBaseName();
    const PrintSource source{project, texts, name, withVariables,
                             options->has(QStringLiteral("--with-check"))
                                 ? checkReportLines(project, texts, name)
                                 : QStringList()};
    const PrintRequest request{worksheet ? PrintContent::Worksheet : PrintContent::Schema, false,
                               *board};
    return renderDocument(source, request, *format, out, io);
}

#else

QList<QByteArray> drawBoards(const Project&, const TextTable&) {
    return {};
}

std::unique_ptr<QCoreApplication> createApplication(int& argc, char** argv) {
    return std::make_unique<QCoreApplication>(argc, argv);
}

int renderCommand(const QStringList& /*args*/, CommandIo& io) {
    io.err << "trevalon-cli render: this build has no drawing (it was built without the "
              "desktop program's libraries, TREVALON_CORE_ONLY)\n";
    return ExitUsage;
}

#endif

}  // namespace trevalon::cli
