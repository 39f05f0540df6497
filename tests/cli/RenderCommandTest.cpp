// End-to-end: `render` draws a board's flowchart page into a PNG or SVG file, or onto A4 pages
// of a PDF with the worksheet, without a display.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <memory>

#include "FlowBuilder.h"
#include "Recorders.h"
#include "config/TextTable.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"
#include "storage/ProjectFile.h"
#include "ui/schema/SchemaPage.h"

using namespace trevalon;

namespace {

struct Outcome {
    int code;
    QString out;
    QString err;
};

Outcome runCli(const QStringList& args) {
    QProcess process;
    // Whatever the session offers, the command needs no display.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TREVALON_CLI), QStringList{QStringLiteral("render")} + args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// What a tool of the PDF utilities prints about `pdf`.
QString pdfTool(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString example(const char* name) {
    return QStringLiteral(TREVALON_SOURCE_DIR "/examples/") + QLatin1String(name);
}

// The texts of an SVG drawing's <text> elements, trimmed; empty when the file is no
// well-formed XML.
QStringList svgTexts(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QXmlStreamReader xml(&file);
    QStringList texts;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"text") {
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        }
    }
    return xml.hasError() ? QStringList() : texts;
}

// The size of the PNG file at `path`, read from its header; empty when it is not a PNG.
QSize pngSize(const QString& path) {
    QImageReader reader(path, "png");
    return reader.canRead() ? reader.size() : QSize();
}

class RenderCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        project->newProject();
    }

    Cell& put(int kind, int column, int row, int board = 1) {
        return test::FlowBuilder(*project).put(board, column, row, kind);
    }

    QString save(const QString& name = QStringLiteral("schemat.skb")) {
        const QString path = folder.filePath(name);
        test::RecordingLog log(0);
        EXPECT_TRUE(ProjectFile::save(*project, path, log, texts).ok());
        return path;
    }

    QString out(const QString& name = QStringLiteral("page.png")) const {
        return folder.filePath(name);
    }

    QTemporaryDir folder;
    std::unique_ptr<Project> project = std::make_unique<Project>();
    TextTable texts;
};

}  // namespace

TEST_F(RenderCommand, PageHasTheSizeOfTheUsedColumnsAndRows) {
    put(KindStart, 4, 2);
    put(KindAssign, 3, 3);
    put(KindEnd, 5, 4);
    const Outcome result = runCli({QStringLiteral("--out"), out(), save()});
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(pngSize(out()), QSize(540, 230));
    // Nothing of the platform's chatter reaches the user.
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
}

TEST_F(RenderCommand, ConditionsAndVariablesEnlargeThePage) {
    put(KindStart, 1, 1);
    put(KindCompareVars, 1, 2);
    put(KindCompareFormula, 1, 3);
    put(KindVariable, 3, 5).name = QStringLiteral("x");
    const QString project = save();
    ASSERT_EQ(runCli({QStringLiteral("--out"), out(), project}).code, 0);
    EXPECT_EQ(pngSize(out()), QSize(180, 3 * 60 + 2 * 18 + 50));
    ASSERT_EQ(runCli({QStringLiteral("--variables"), QStringLiteral("--out"), out(), project}).code,
              0);
    EXPECT_EQ(pngSize(out()), QSize(3 * 180, 5 * 60 + 2 * 18 + 50));
}

TEST_F(RenderCommand, DrawsTheBoardAskedFor) {
    ASSERT_TRUE(project->addBoard());
    put(KindStart, 1, 1, 1);
    put(KindStart, 2, 2, 2);
    put(KindEnd, 2, 3, 2);
    put(KindEnd, 3, 4, 2);
    const QString path = save();
    ASSERT_EQ(runCli({QStringLiteral("--board"), QStringLiteral("2"), QStringLiteral("--out"),
                      out(), path})
                  .code,
              0);
    EXPECT_EQ(pngSize(out()), QSize(360, 230));
    const Outcome missing = runCli({QStringLiteral("--board=3"), QStringLiteral("--out"),
                                    out(QStringLiteral("three.png")), path});
    EXPECT_EQ(missing.code, 64);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("no board 3"))) << missing.err.toStdString();
    EXPECT_FALSE(QFile::exists(out(QStringLiteral("three.png"))));
}

TEST_F(RenderCommand, BoardWithoutBlocksToDrawWritesNothing) {
    put(KindVariable, 2, 2).name = QStringLiteral("x");
    const QString path = save();
    const Outcome result = runCli({QStringLiteral("--out"), out(), path});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("no blocks to draw")));
    EXPECT_FALSE(QFile::exists(out()));
    // The variable alone is something to draw once variables are drawn.
    EXPECT_EQ(runCli({QStringLiteral("--variables"), QStringLiteral("--out"), out(), path}).code,
              0);
    EXPECT_EQ(pngSize(out()), QSize(180, 110));
}

TEST_F(RenderCommand, ReportsBadArgumentsAndFilesWithTheirCodes) {
    put(KindStart, 1, 1);
    const QString path = save();
    struct Case {
        QStringList args;
        int code;
    };
    const QString png = out();
    const std::vector<Case> cases = {
        {{path}, 64},
        {{QStringLiteral("--out"), png}, 64},
        {{QStringLiteral("--board"), QStringLiteral("0"), QStringLiteral("--out"), png, path}, 64},
        {{QStringLiteral("--board"), QStringLiteral("x"), QStringLiteral("--out"), png, path}, 64},
        {{QStringLiteral("--lang"), QStringLiteral("de"), QStringLiteral("--out"), png, path}, 64},
        {{QStringLiteral("--colour"), QStringLiteral("--out"), png, path}, 64},
        {{QStringLiteral("--out"), png, folder.filePath(QStringLiteral("none.skb"))}, 66},
        {{QStringLiteral("--out"), png, folder.filePath(QStringLiteral("notes.txt"))}, 65},
        {{QStringLiteral("--out"), folder.filePath(QStringLiteral("no/such/folder.png")), path},
         73},
    };
    for (const Case& c : cases) {
        const Outcome result = runCli(c.args);
        EXPECT_EQ(result.code, c.code) << c.args.join(u' ').toStdString();
        EXPECT_FALSE(result.err.isEmpty()) << c.args.join(u' ').toStdString();
        EXPECT_FALSE(QFile::exists(png)) << c.args.join(u' ').toStdString();
    }
}

TEST_F(RenderCommand, DamagedProjectIsRefused) {
    const QString path = folder.filePath(QStringLiteral("damaged.skb"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<Trevalon><plansza ilp=\"x\">\x01\x02\xff");
    file.close();
    EXPECT_EQ(runCli({QStringLiteral("--out"), out(), path}).code, 65);
    EXPECT_FALSE(QFile::exists(out()));
}

TEST_F(RenderCommand, ExistingPictureIsReplacedWhole) {
    put(KindStart, 1, 1);
    const QString png = out();
    QFile old(png);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();
    ASSERT_EQ(runCli({QStringLiteral("--out"), png, save()}).code, 0);
    EXPECT_EQ(pngSize(png), QSize(180, 110));
    EXPECT_LT(QFile(png).size(), 100000);
}

TEST_F(RenderCommand, SvgKeepsEveryBlocksTextAsText) {
    const QString svg = out(QStringLiteral("gcd.SVG"));  // the extension in any case
    const Outcome result = runCli({QStringLiteral("--out"), svg, example("gcd.skb")});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    const QStringList drawn = svgTexts(svg);
    ASSERT_FALSE(drawn.isEmpty()) << "no text, or not well-formed";

    test::RecordingLog log(0);
    ASSERT_TRUE(ProjectFile::load(*project, example("gcd.skb"), log, texts).ok());
    const Board& board = project->board(1);
    int condition = 0;
    int expected = 0;
    board.forEachUsedCell([&](const Cell& cell, int column, int row) {
        if (!cell.occupied || cell.isVariable) {
            return;
        }
        if (cell.kindCode == KindCompareVars || cell.kindCode == KindCompareFormula) {
            ++condition;
        }
        const QString text = SchemaPage::elementText(cell, texts, condition);
        if (!text.isEmpty()) {
            ++expected;
            EXPECT_TRUE(drawn.contains(text)) << column << "," << row << " " << text.toStdString()
                                              << " not in " << drawn.join(u'|').toStdString();
        }
    });
    EXPECT_GE(expected, 4);
}

TEST_F(RenderCommand, WorksheetPdfNumbersItsPagesAndHoldsTheProject) {
    test::RecordingLog log(0);
    ASSERT_TRUE(ProjectFile::load(*project, example("factorial.skb"), log, texts).ok());
    // A formula and a variable of the project, as the worksheet's tables show them.
    QString formula;
    QString variable;
    project->board(1).forEachUsedCell([&](const Cell& cell, int, int) {
        if (cell.kindCode == KindAssign && formula.isEmpty()) {
            formula = cell.text4;
        }
        if (cell.isVariable && variable.isEmpty()) {
            variable = cell.name;
        }
    });
    ASSERT_FALSE(formula.isEmpty());
    ASSERT_FALSE(variable.isEmpty());

    struct Case {
        QString language;
        QString pageWords;   // "Strona %1 z %2"
        QString checkWords;  // a line of the check's report, with --with-check
    };
    for (const Case& c : {Case{QStringLiteral("pl"), QStringLiteral("Strona %1 z %2"),
                               QStringLiteral("Projekt gotowy do uruchomienia")},
                          Case{QStringLiteral("ang"), QStringLiteral("Page %1 of %2"),
                               QStringLiteral("Project ready to run")}}) {
        const QString pdf = out(QStringLiteral("factorial-%1.pdf").arg(c.language));
        const Outcome result =
            runCli({QStringLiteral("--lang"), c.language, QStringLiteral("--worksheet"),
                    QStringLiteral("--with-check"), QStringLiteral("--out"), pdf,
                    example("factorial.skb")});
        ASSERT_EQ(result.code, 0) << result.err.toStdString();
        const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                                  .match(pdfTool(QStringLiteral("pdfinfo"), {pdf}));
        ASSERT_TRUE(pages.hasMatch()) << "pdfinfo cannot read " << pdf.toStdString();
        const int count = pages.captured(1).toInt();
        EXPECT_GE(count, 2);
        const QString text = pdfTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        // Every page says which it is, of how many; pages are separated by form feeds.
        const QStringList pageTexts = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        ASSERT_EQ(pageTexts.size(), count);
        for (int i = 0; i < count; ++i) {
            EXPECT_TRUE(pageTexts[i].contains(c.pageWords.arg(i + 1).arg(count)))
                << c.language.toStdString() << " page " << i + 1;
        }
        EXPECT_TRUE(text.contains(QStringLiteral("factorial")));
        EXPECT_TRUE(text.contains(formula)) << formula.toStdString();
        EXPECT_TRUE(text.contains(variable)) << variable.toStdString();
        EXPECT_TRUE(text.contains(c.checkWords)) << c.language.toStdString();
    }
}

TEST_F(RenderCommand, OtherFormatsAndTheWorksheetRefuseWhatTheyCannotWrite) {
    put(KindStart, 1, 1);
    const QString path = save();
    struct Case {
        QStringList args;
        int code;
        QString said;
    };
    const QString pdf = out(QStringLiteral("page.pdf"));
    const QString svg = out(QStringLiteral("page.svg"));
    const std::vector<Case> cases = {
        {{QStringLiteral("--out"), out(QStringLiteral("page.jpg")), path},
         64,
         ".png, .svg or .pdf"},
        {{QStringLiteral("--out"), out(QStringLiteral("page")), path}, 64, ".png, .svg or .pdf"},
        {{QStringLiteral("--worksheet"), QStringLiteral("--out"), svg, path}, 64, "FILE.pdf"},
        {{QStringLiteral("--worksheet"), QStringLiteral("--out"), out(), path}, 64, "FILE.pdf"},
        {{QStringLiteral("--with-check"), QStringLiteral("--out"), pdf, path}, 64, "--worksheet"},
        {{QStringLiteral("--out"), folder.filePath(QStringLiteral("no/such/page.pdf")), path},
         73,
         "cannot write"},
    };
    for (const Case& c : cases) {
        const Outcome result = runCli(c.args);
        EXPECT_EQ(result.code, c.code) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(c.said)) << result.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(QFile::exists(svg));
    EXPECT_FALSE(QFile::exists(out()));
    // The flowchart page alone fits one A4 page.
    ASSERT_EQ(runCli({QStringLiteral("--out"), pdf, path}).code, 0);
    EXPECT_TRUE(pdfTool(QStringLiteral("pdfinfo"), {pdf})
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
}
