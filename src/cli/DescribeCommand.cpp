#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <memory>

#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/ProjectLoading.h"
#include "config/OutsideText.h"
#include "config/TextTable.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"

namespace trevalon::cli {
namespace {

QString kindWord(int kind, const TextTable& texts) {
    return texts.text(BlockCatalogue::boardKindText(kind));
}

void describePlain(const Project& project, const TextTable& texts, QTextStream& out) {
    for (int n = 1; n <= project.boardCount; ++n) {
        const Board& b = project.board(n);
        out << n << ' ' << shownText(b.name) << " \u2014 " << kindWord(b.kind, texts) << ", "
            << b.columns << "\u00D7" << b.rows << '\n';
        b.forEachUsedCell([&](const Cell& cell, int c, int r) {
            if (cell.occupied) {
                out << "  " << c << ',' << r << "  "
                    << shownText(project.describeCell(n, c, r, texts)) << '\n';
            }
        });
    }
}

void describeJson(const Project& project, const TextTable& texts, QTextStream& out) {
    QJsonArray boards;
    for (int n = 1; n <= project.boardCount; ++n) {
        const Board& b = project.board(n);
        QJsonArray cells;
        for (int c = 1; c <= b.columns; ++c) {
            for (int r = 1; r <= b.rows; ++r) {
                const Cell& cell = b.cell(c, r);
                if (cell.occupied) {
                    cells.append(QJsonObject{
                        {QStringLiteral("column"), c},
                        {QStringLiteral("row"), r},
                        {QStringLiteral("kind"), cell.kindCode},
                        {QStringLiteral("name"), cell.name},
                        {QStringLiteral("description"), project.describeCell(n, c, r, texts)},
                    });
                }
            }
        }
        boards.append(QJsonObject{
            {QStringLiteral("number"), n},
            {QStringLiteral("name"), b.name},
            {QStringLiteral("kind"), kindWord(b.kind, texts)},
            {QStringLiteral("columns"), b.columns},
            {QStringLiteral("rows"), b.rows},
            {QStringLiteral("cells"), cells},
        });
    }
    const QJsonObject root{{QStringLiteral("boards"), boards}};
    out << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Compact)) << '\n';
}

}  // namespace

int describeCommand(const QStringList& args, CommandIo& io) {
    const QString command = QStringLiteral("describe");
    const auto options =
        parseOptions(command, args, {QStringLiteral("--lang")}, {QStringLiteral("--json")}, io);
    if (!options) {
        return ExitUsage;
    }
    if (options->positional.size() != 1) {
        return usageError(command, QStringLiteral("expects exactly one PROJECT"), io);
    }
    ProjectArgument input;
    if (const int loaded = input.load(options->positional.first(), options->language, io);
        loaded != ExitOk) {
        return loaded;
    }
    const Project& project = *input.project;
    const TextTable& texts = input.texts;
    if (options->has(QStringLiteral("--json"))) {
        describeJson(project, texts, io.out);
    } else {
        describePlain(project, texts, io.out);
    }
    return ExitOk;
}

}  // namespace trevalon::cli
