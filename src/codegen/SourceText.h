#pragma once

#include <QString>
#include <QStringList>

#include "codegen/CodeTarget.h"

namespace trevalon::codegen {

// Everything a project brings into generated code — its file name, board and variable names,
// texts and the text table's comments — passes through one of these, one for each place it can
// land in (each language's target calls its own). Whatever the text holds, the compiler or
// interpreter sees nothing but that text: no character of it ends a comment or a literal, splices
// lines, forms a trigraph, reorders the code on screen (bidirectional controls) or draws a warning.

// The content of a comment line, after its "# " or "// ". Characters that are not shown as
// themselves (controls, line and paragraph separators, format characters such as the
// bidirectional controls, blanks other than the space, surrogates, unassigned code points) are
// written as <U+XXXX>. In C++ the second "?" of "??" is written so too (a trigraph), and so is
// a backslash that would end the line (it would join the next line to the comment).
QString pythonComment(const QString& text);
QString cppComment(const QString& text);

// A literal that holds exactly `text`, every character of it, NUL too: Python's "…" (a str),
// C++'s "…"s (a std::string, so that a NUL does not end it). Python writes printable characters
// as they are and the others as \n, \r, \t, \xXX, \uXXXX or \UXXXXXXXX. C++ writes printable
// ASCII as it is, "\", """ and the second "?" of "??" escaped, other printable characters as
// universal character names, and everything else (controls, bidirectional controls, …) as the
// octal escapes of its UTF-8 bytes, three digits each, so that no following character extends
// an escape. A lone surrogate, which UTF-8 cannot hold, is written as U+FFFD.
QString pythonString(const QString& text);
QString cppString(const QString& text);

// The identifier a flowchart's name is written as in Python and C++, before VariableTable makes
// it unique: Polish letters lose their marks, every other character that is not an ASCII
// letter, digit or "_" becomes "_", runs of "_" become one, and a name that would begin with a
// digit or "_" (C++ reserves "_X" and "__", Python's "__name__" is the interpreter's) or is empty
// gets "v_" in front.
QString asciiIdentifier(const QString& name);

// Whether `word` is a keyword, built-in, standard macro or name of the global namespace of the
// language, which no identifier of the generated code may be (letter case aside).
bool isPythonReserved(const QString& word);
bool isCppReserved(const QString& word);

}  // namespace trevalon::codegen
