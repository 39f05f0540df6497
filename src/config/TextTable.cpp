#include "config/TextTable.h"

#include <QHash>
#include <QStringList>

#include "config/TextTableData.h"

namespace trevalon {
namespace {

struct Entry {
    QString polish;
    QString english;
};

QString unescape(QStringView field) {
    QString result;
    result.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        QChar ch = field[i];
        if (ch == u'\\' && i + 1 < field.size()) {
            QChar next = field[++i];
            if (next == u'n') {
                result += u'\n';
            } else if (next == u'r') {
                result += u'\r';
            } else {
                result += next;  // \" and \\ stand for themselves
            }
        } else {
            result += ch;
        }
    }
    return result;
}

// The data file is parsed once, on first use. Its lines are number TAB name TAB Polish TAB
// English; the build checks them while naming the texts, so a malformed line is simply skipped.
const QHash<int, Entry>& table() {
    static const QHash<int, Entry> entries = [] {
        QHash<int, Entry> parsed;
        const QString data = QString::fromUtf8(textTableData(), textTableDataSize());
        for (QStringView line : QStringView(data).split(u'\n')) {
            if (line.isEmpty() || line.startsWith(u'#')) {
                continue;
            }
            const auto fields = line.split(u'\t');
            if (fields.size() != 4) {
                continue;
            }
            bool ok = false;
            const int number = fields[0].toInt(&ok);
            if (ok) {
                parsed.insert(number, Entry{unescape(fields[2]), unescape(fields[3])});
            }
        }
        return parsed;
    }();
    return entries;
}

}  // namespace

TextTable::TextTable() : m_language(QStringLiteral("pl")) {}

QString TextTable::text(int number) const {
    return text(number, m_language);
}

QString TextTable::text(int number, const QString& language) {
    const auto it = table().constFind(number);
    if (it == table().constEnd()) {
        return {};
    }
    if (language == QLatin1String("pl")) {
        return it->polish;
    }
    if (language == QLatin1String("ang")) {
        return it->english;
    }
    return {};
}

void TextTable::setLanguage(const QString& language) {
    m_language = language;
}

int TextTable::count() {
    return static_cast<int>(table().size());
}

QString TextTable::fill(const QString& pattern, const QStringList& arguments,
                        std::vector<bool>* used) {
    if (used) {
        used->assign(static_cast<std::size_t>(arguments.size()), false);
    }
    QString text;
    text.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'%' && i + 1 < pattern.size() && pattern.at(i + 1).isDigit()) {
            const int k = pattern.at(i + 1).digitValue();
            if (k >= 1 && k <= arguments.size()) {
                text += arguments.at(k - 1);
                if (used) {
                    (*used)[static_cast<std::size_t>(k - 1)] = true;
                }
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

}  // namespace trevalon
