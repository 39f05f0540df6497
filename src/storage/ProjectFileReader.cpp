// Reading the XML project file into the model. Every path step finds or creates its element,
// so a missing element reads as an empty text; what an empty or malformed value means is
// decided here, step by step, with the log lines the program has always given. Whatever stops
// the reading is told as one texts::ProjectFileDamaged.

#include <limits>
#include <optional>

#include "config/EventLog.h"
#include "config/TextTable.h"
#include "config/TpkXML.h"
#include "config/Utf16Le.h"
#include "model/Board.h"
#include "model/Project.h"
#include "storage/ModelLimits.h"
#include "storage/ProjectFile.h"

namespace trevalon {
namespace {

// A decimal integer as the writer writes it: an optional sign and digits, within 32 bits.
std::optional<int> parseInteger(const QString& text) {
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text[0] == u'-';
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
        i = 1;
    }
    if (i >= text.size()) {
        return std::nullopt;
    }
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        if (ch < u'0' || ch > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (ch - u'0');
        if (value > qint64(1) << 31) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

class ValueReader {
public:
    explicit ValueReader(bool encoded) : m_encoded(encoded) {}

    std::optional<QString> text(TpkXMLNode& parent, const QString& name) const {
        const QString stored = parent.findOrCreateChild(name)->text();
        return m_encoded ? Utf16Le::fromBase64(stored) : std::optional<QString>(stored);
    }
    std::optional<int> integer(TpkXMLNode& parent, const QString& name) const {
        const auto value = text(parent, name);
        return value ? parseInteger(*value) : std::nullopt;
    }
    std::optional<bool> boolean(TpkXMLNode& parent, const QString& name) const {
        const auto value = text(parent, name);
        return value ? std::optional<bool>(*value == QLatin1StringView("1")) : std::nullopt;
    }

private:
    bool m_encoded;
};

QString numbered(const char* name, int n) {
    return QLatin1StringView(name) + QString::number(n);
}

class DocumentReader {
public:
    DocumentReader(Project& project, EventLog& log, const TextTable& texts)
        : m_project(project), m_log(log), m_texts(texts) {}

    bool read(TpkXML& document);

private:
    bool fail(int logText) {
        m_log.logAbove(1, m_texts.text(logText));
        return false;
    }
    bool readBoard(TpkXMLNode& root, int n);
    // The board's general values in file order; false at the first that is not a number.
    bool readGeneral(TpkXMLNode& board, Board& b);
    bool readCell(TpkXMLNode& board, int n, int j);

    Project& m_project;
    EventLog& m_log;
    const TextTable& m_texts;
    ValueReader m_values{false};
};

bool DocumentReader::read(TpkXML& document) {
    TpkXMLNode& root = *document.topElement(QStringLiteral("Trevalon"));
    // "Code" itself is always plain; its value is compared with case.
    const bool encoded =
        root.findOrCreateChild(QStringLiteral("Code"))->text() == QLatin1StringView("tr");
    m_values = ValueReader(encoded);
    const auto boards = m_values.integer(root, QStringLiteral("ilp"));
    if (!boards || *boards < 1 || *boards > kMaxBoards) {
        return fail(texts::BoardCountMissing);
    }
    for (int n = 1; n <= kMaxBoards; ++n) {
        m_project.resetBoard(n);
        m_project.board(n).blockCount = 0;
    }
    m_project.boardCount = *boards;
    const auto note = m_values.text(root, QStringLiteral("lc"));
    const auto date = m_values.text(root, QStringLiteral("dt"));
    if (!note || !date) {
        return fail(texts::ProjectFileUnknownError);
    }
    m_project.note = *note;
    m_project.lastModified = *date;
    for (int n = 1; n <= m_project.boardCount; ++n) {
        if (!readBoard(root, n)) {
            return false;
        }
    }
    m_project.clearChanged();
    return true;
}

bool DocumentReader::readBoard(TpkXMLNode& root, int n) {
    TpkXMLNode& node = *root.findOrCreateChild(numbered("Pl", n));
    Board& b = m_project.board(n);
    if (!readGeneral(node, b)) {
        m_log.logAbove(1, m_texts.text(texts::BoardLoadFailed) + QString::number(n));
    }
    // More blocks than a board has cells: the file is not one the program wrote.
    if (b.blockCount < 0 || b.blockCount > kGridSize * kGridSize) {
        m_log.logAbove(1, m_texts.text(texts::BoardLoadFailed) + QString::number(n));
        return fail(texts::ProjectFileUnknownError);
    }
    for (int j = 1; j <= b.blockCount; ++j) {
        if (!readCell(node, n, j)) {
            m_log.logAbove(1, m_texts.text(texts::BlockLoadFailed) + QString::number(j) +
                                  m_texts.text(texts::BlockLoadFailedOnBoard) + QString::number(n));
            m_log.logAbove(1, m_texts.text(texts::BlockLoadFailed) + QString::number(j));
            return false;
        }
    }
    ModelLimits::recountBlocks(b);
    return true;
}

bool DocumentReader::readGeneral(TpkXMLNode& node, Board& b) {
    const auto integer = [&](const char* name, auto store) {
        const auto value = m_values.integer(node, QLatin1StringView(name));
        if (value) {
            store(*value);
        }
        return value.has_value();
    };
    if (!integer("nws", [&](int v) { b.formatMarker = v; }) ||
        !integer("pro", [&](int v) { b.kind = ModelLimits::clampBoardKind(v); })) {
        return false;
    }
    const auto name = m_values.text(node, QStringLiteral("nam"));
    if (!name) {
        return false;
    }
    b.name = *name;
    return integer("ilw", [&](int v) { b.rows = ModelLimits::clampSize(v); }) &&
           integer("ilk", [&](int v) { b.columns = ModelLimits::clampSize(v); }) &&
           integer("xl", [&](int v) { b.left = v; }) && integer("yl", [&](int v) { b.top = v; }) &&
           integer("ilkl", [&](int v) { b.blockCount = v; }) &&
           integer("ilz", [&](int v) { b.variableCount = ModelLimits::clampVariableCount(v); });
}

bool DocumentReader::readCell(TpkXMLNode& board, int n, int j) {
    TpkXMLNode& node = *board.findOrCreateChild(numbered("kl", j));
    const auto column = m_values.integer(node, QStringLiteral("k"));
    const auto row = m_values.integer(node, QStringLiteral("w"));
    if (!column || !row || !Board::validPosition(*column, *row)) {
        return false;
    }
    Cell& c = m_project.cell(n, *column, *row);
    c.occupied = true;
    c.marked = false;
    c.board = n;
    c.column = *column;
    c.row = *row;
    const auto isVariable = m_values.boolean(node, QStringLiteral("zm"));
    if (!isVariable) {
        return false;
    }
    c.isVariable = *isVariable;
    int* const numbers[] = {&c.scope, &c.mode, &c.kindCode, &c.group, &c.index};
    const char* const numberNames[] = {"wi", "tp", "nrw", "nrz", "nrk"};
    for (std::size_t i = 0; i < std::size(numbers); ++i) {
        const auto value = m_values.integer(node, QLatin1StringView(numberNames[i]));
        if (!value) {
            return false;
        }
        *numbers[i] = *value;
    }
    QString* const texts[] = {&c.name, &c.text2, &c.text3, &c.text4};
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        const auto value = m_values.text(node, numbered("t", static_cast<int>(i) + 1));
        if (!value) {
            return false;
        }
        *texts[i] = *value;
    }
    const auto extras = m_values.integer(node, QStringLiteral("ilad"));
    if (!extras) {
        return false;
    }
    int* const extraFields[] = {&c.extra1, &c.extra2};
    for (int i = 1; i <= ModelLimits::clampExtraCount(*extras); ++i) {
        const auto value = m_values.integer(node, numbered("ad", i));
        if (!value) {
            return false;
        }
        *extraFields[i - 1] = *value;
    }
    return ModelLimits::settleBlock(c);
}

}  // namespace

Status ProjectFile::readDocument(Project& project, TpkXML& document, EventLog& log,
                                 const TextTable& texts) {
    return DocumentReader(project, log, texts).read(document)
               ? Status()
               : Status::information(texts::ProjectFileDamaged);
}

}  // namespace trevalon
