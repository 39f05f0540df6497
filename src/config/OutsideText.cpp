#include "config/OutsideText.h"

#include "config/NativeName.h"

namespace trevalon {
namespace {

// Characters that turn the text around them right to left or back (the "Trojan Source" set).
bool isDirectionControl(char16_t ch) {
    return ch == 0x061C || ch == 0x200E || ch == 0x200F || (ch >= 0x202A && ch <= 0x202E) ||
           (ch >= 0x2066 && ch <= 0x2069);
}

QString hex(unsigned value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

QString shownText(QStringView text, LineBreaks breaks) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        const bool pairStart = QChar::isHighSurrogate(ch) && i + 1 < text.size() &&
                               QChar::isLowSurrogate(text[i + 1].unicode());
        if (pairStart) {
            shown += text.sliced(i, 2);
            ++i;
        } else if (const int byte = escapedByte(ch, false); byte != 0) {
            shown += QStringLiteral("\\x") + hex(unsigned(byte), 2);
        } else if (breaks == LineBreaks::Kept && (ch == u'\n' || ch == u'\t')) {
            shown += QChar(ch);
        } else if (ch < 0x20 || ch == 0x7F) {
            shown += QStringLiteral("\\x") + hex(ch, 2);
        } else if ((ch >= 0x80 && ch <= 0x9F) || isDirectionControl(ch) || ch == 0x2028 ||
                   ch == 0x2029 || QChar::isSurrogate(ch)) {
            shown += QStringLiteral("\\u{") + hex(ch, 4) + u'}';
        } else {
            shown += QChar(ch);
        }
    }
    return shown;
}

QString csvCell(const QString& text, CsvCell kind) {
    QString cell = text;
    if (kind == CsvCell::Text && !cell.isEmpty()) {
        const QChar first = cell.front();
        if (first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t' ||
            first == u'\r') {
            cell.prepend(u'\'');
        }
    }
    if (!cell.contains(u',') && !cell.contains(u'"') && !cell.contains(u'\n') &&
        !cell.contains(u'\r')) {
        return cell;
    }
    cell.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + cell + u'"';
}

}  // namespace trevalon
