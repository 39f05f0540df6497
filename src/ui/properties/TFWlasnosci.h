#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "edit/BlockProperties.h"
#include "ui/properties/PropertiesView.h"
#include "ui/widgets/TitleStrip.h"

class QComboBox;
class QLabel;

namespace trevalon {

class EditorView;
class Project;
class PropertyEdit;
class PropertyList;
class Status;
class PropertyPicture;
class TextTable;
class WindowHost;

// What the expression builder is given when a formula row is double-clicked.
struct FormulaRequest {
    QString formula;  // the stored formula, empty when it was unset
    QString target;   // the variable on the left ("Brak" when none is chosen)
    int board = 1;
    int column = 0;
    int row = 0;
};

// The block properties window ("Własności"): a column of rows drawn into one picture, each
// with its label and value, for the active board, a variable or any other block. A row is
// read-only, edited in place with the text editor `ETekst`, or chosen from the list `CLista`;
// formulas and texts can also be composed in the builders, opened by a double click. Every
// change goes into the project at once. A small borderless window over the main window.
class TFWlasnosci : public QWidget, public PropertiesView {
public:
    static constexpr int Width = 244;
    static constexpr int RowPitch = 23;
    static constexpr int TitleHeight = TitleStrip::Height;
    // Where the window appears, from the main window's top-left corner.
    static constexpr QPoint Offset{15, 95};

    // `project` (whose blocks it edits), `texts`, `host` and `view` must outlive the window;
    // `parent` is the main window, whose screen the window keeps to. It says itself why a key
    // or a value is refused, so it needs no message box.
    TFWlasnosci(Project& project, const TextTable& texts, WindowHost& host, EditorView& view,
                QWidget* parent);

    // Shows the rows of `kind` (1 variable, 2 the active board, else the kind code of the
    // current cell's block); the window appears, or expands when collapsed.
    void showKind(int kind);
    // Draws the current kind again while the window is visible (after a language change).
    void refreshProperties();
    // True while the text editor or the list is open.
    bool isEditing() const;
    // Hides the window when visible, else shows the properties of the current selection.
    void toggleProperties();
    // Ends an open edit, storing what it holds; a refused value is replaced by the stored one
    // and the reason shown under the rows.
    void finishEditing() override;
    bool collapsed() const { return m_collapsed; }
    void toggleCollapsed();

    // PropertiesView
    void showProperties(int kind) override { showKind(kind); }
    void hideProperties() override;
    bool propertiesVisible() const override { return isVisible(); }
    bool editing() const override { return isEditing(); }
    void followMainWindow() override;
    void placeBeside(const QRect& boards, int gap, const std::vector<QRect>& avoid) override;
    void applyTexts() override { refreshProperties(); }

    // The builders: given the stored text, they answer the new text, or nothing when the
    // user cancelled. Unset builders open nothing.
    std::function<std::optional<QString>(const FormulaRequest&)> openExpressionBuilder;
    std::function<std::optional<QString>(const QString& text, int board)> openCommentBuilder;

    const BlockProperties& properties() const { return m_props; }
    // The row whose editor is open or was last opened (from 1; 0 none).
    int currentRow() const { return m_currentRow; }
    PropertyPicture* picture() const { return m_picture; }
    PropertyEdit* textEditor() const { return m_edit; }
    QComboBox* list() const;
    // The line under the rows that says why a key or a value was refused; hidden when empty.
    QLabel* hint() const { return m_hint; }
    // Where row r's strip begins in the picture.
    static int rowTop(int r) { return RowPitch * r - 21; }

    // The rows' picture: tiled background, one row picture per row with its label and its
    // value (cut after 20 characters), framed in the window colour.
    static QImage render(const BlockProperties& properties, bool english);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void redrawRows();
    void pictureHeightChanged();
    void pressed(const QPoint& at);
    bool doubleClicked(int r);
    void openText(int r);
    void openList(int r);
    void closeText();
    void cancelText();
    void cancelList();
    void showHint(const Status& reason);
    void clearHint();
    void listChosen(int index);
    void applyEffects(const BlockProperties::Effects& effects);
    bool running() const;
    bool commandKey(QKeyEvent* event);

    const TextTable& m_texts;
    WindowHost& m_host;
    EditorView& m_view;
    BlockProperties m_props;

    TitleStrip* m_strip = nullptr;
    PropertyPicture* m_picture = nullptr;
    PropertyEdit* m_edit = nullptr;
    PropertyList* m_list = nullptr;
    QLabel* m_hint = nullptr;

    int m_currentRow = 0;
    int m_listStart = -1;
    bool m_closing = false;
    bool m_collapsed = false;
    QPoint m_offset = Offset;
};

}  // namespace trevalon
