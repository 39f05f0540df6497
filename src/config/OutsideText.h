#pragma once

#include <QString>
#include <QStringView>

namespace trevalon {

// Texts that come from outside (a project, a file name, a tests file, a run's output) made safe
// for the places they are written to, each by one function, so that every writer of that place
// treats them alike.

enum class LineBreaks {
    Escaped,  // one line: a line feed is escaped like any other control character
    Kept,     // line feeds and tabs stay, for text shown as lines (a message, a <pre> block)
};

// The text as a terminal (or a page) may show it without being steered by it: a byte that is
// not UTF-8 (see nameFromNative) and a control character of one byte (C0, DEL) are written
// \xNN; a C1 control, a direction control (U+061C, U+200E/F, U+202A…E, U+2066…9), the line
// and paragraph separators U+2028/9 and a lone surrogate are written \u{XXXX}; everything
// else, backslashes included, stays as it is.
QString shownText(QStringView text, LineBreaks breaks = LineBreaks::Escaped);

enum class CsvCell {
    Text,  // text from a project, a file or a file name: neutralised as described below
    Data,  // what our own code writes (a number, a value in its stored form): as it is
};

// One CSV cell as RFC 4180 writes it: quoted when it holds a comma, a double quote, CR or LF,
// its double quotes doubled. A Text cell that begins with "=", "+", "-", "@", a tab or CR gets
// a "'" in front, so that a spreadsheet opening the file shows it as text rather than running
// it as a formula.
QString csvCell(const QString& text, CsvCell kind = CsvCell::Text);

}  // namespace trevalon
