#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include "ui/widgets/Palette.h"

class QComboBox;
class QPainter;
class QTableView;
class QWidget;

namespace trevalon {

class TJetButton;

// Pieces shared by the builders' and dialogs' windows drawn on a background picture.
namespace dialogparts {

// A picture button: `face` normally, `face` + "akt" under the mouse, with an optional caption
// from the text table drawn over it.
TJetButton* pictureButton(QWidget* parent, const char* objectName, const QString& face,
                          const QRect& geometry);

// The named background picture, or a plain light body in the window colour's frame when the
// picture is missing.
void paintBackground(QPainter& painter, const QString& name, const QRect& rect);

// The light tiles of the resizable windows (the schema, the trace, the test results), or their
// plain colour when the picture is missing.
void paintLightTiles(QPainter& painter, const QRect& rect);

// The style sheet colours of a text field or a list: dark blue text on white inside a
// one-pixel `edge`.
QString fieldStyle(const QColor& edge = palette::violetSoft);

// A drop-down list drawn the way the program's lists are: white, dark blue text one pixel in
// from its cell's corner, without an arrow of its own (a picture button beside it opens it).
void styleOwnerList(QComboBox* list);

// Opens the list's drop-down when shut, shuts it when open.
void toggleDropDown(QComboBox* list);

// The program's tables: dark blue on white, alternate rows on paper, bold headers on the
// properties' row colour, the chosen row lavender in every state of the window (a tool window
// is seldom the active one).
void styleTable(QTableView* view);

}  // namespace dialogparts
}  // namespace trevalon
