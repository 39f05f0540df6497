#pragma once

#include <QWidget>
#include <optional>

#include "ui/board/BlockTileCache.h"
#include "ui/board/BoardPicture.h"

class QAction;
class QMenu;
class QScrollArea;

namespace trevalon {

class BoardImage;
class ClickLabel;
class DragLabel;
class Project;
class TextTable;
class TitleStrip;
class WindowHost;

// A board window: a 20-pixel title strip and the board's picture, floating above the main
// window at the board's stored offset. The three board windows differ only in their number
// and in board 1 having no delete label.
class TTablica : public QWidget {
public:
    // `parent` is the main window, whose screen the window keeps to; it, `project`, `texts`
    // and `host` must outlive the window.
    TTablica(int number, Project& project, const TextTable& texts, WindowHost& host,
             QWidget* parent);

    int number() const { return m_number; }

    // Sizes the window for the board, places it at the board's offset from the main window
    // and draws it; `show` also makes it visible.
    void placeAndDraw();
    // Moves the window to `topLeft` on the screen and keeps that as the board's offset.
    void moveTo(const QPoint& topLeft);
    // Draws the board's picture again from the model and the marks.
    void redraw();
    void applyTexts();
    void setActiveTitle(bool active);
    bool titleActive() const { return m_activeTitle; }
    bool collapsed() const { return m_collapsed; }
    void toggleCollapsed();
    // Scrolls the cell into view where the board is larger than its window.
    void showCell(int column, int row);
    // The zoom in percent (zoom::kSteps), kept for the project's session: never written to the
    // file, back to 100 % when another project is opened or a new one made.
    int zoom() const { return m_zoom; }
    // One step larger (> 0), smaller (< 0) or back to 100 % (0), keeping the point `anchor` of
    // the image (its widget coordinates) where it is on the screen, else the view's centre.
    void zoomBy(int direction, std::optional<QPoint> anchor = std::nullopt);
    void setZoom(int percent, std::optional<QPoint> anchor = std::nullopt);
    // The picture at 100 %, as the clipboard gets it.
    QImage plainPicture() const;
    // Cursor of the image in the editor's current mode.
    void setImageCursor(const QCursor& cursor);

    BoardImage* image() const { return m_image; }
    QMenu* popupMenu() const { return m_popup; }
    DragLabel* titleLabel() const { return m_title; }
    ClickLabel* deleteLabel() const { return m_deleteLabel; }
    ClickLabel* collapseLabel() const { return m_collapseLabel; }
    ClickLabel* menuMark() const { return m_menuMark; }
    // Updates the enabled state of the popup items as the menu does when it opens.
    void updatePopupState();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildStrip();
    void buildPopup();
    void imagePressed(QMouseEvent* event, const QPoint& at);
    void storeOffset();
    void layoutStrip();
    // Sizes the image for the zoom and the window for the image, as far as the screen has
    // room at the window's place `at`.
    void fitWindow(const QPoint& at);
    QString titleText() const;
    QList<QPoint> stops() const;

    const int m_number;
    Project& m_project;
    const TextTable& m_texts;
    WindowHost& m_host;

    TitleStrip* m_strip = nullptr;
    DragLabel* m_title = nullptr;
    ClickLabel* m_collapseLabel = nullptr;
    ClickLabel* m_menuMark = nullptr;
    ClickLabel* m_deleteLabel = nullptr;
    // Below this a board window does not shrink to fit the screen: it would show too little.
    static constexpr QSize MinimumVisible{4 * 39 + 9, 3 * 39 + 29};
    // The strip's width beside its title: the menu sign, the collapse and delete marks.
    static constexpr int TitleMargins = 20 + 32 + 8;

    QScrollArea* m_view = nullptr;
    BoardImage* m_image = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_moveBlock = nullptr;
    QAction* m_deleteBlock = nullptr;
    QAction* m_cutBlocks = nullptr;
    QAction* m_copyBlocks = nullptr;
    QAction* m_pasteBlocks = nullptr;
    QAction* m_breakpoint = nullptr;
    QAction* m_copyBoard = nullptr;
    QAction* m_clearBoard = nullptr;
    QAction* m_checkBoard = nullptr;
    QAction* m_deleteBoard = nullptr;
    BlockTileCache m_tiles;
    int m_zoom = 100;
    bool m_collapsed = false;
    bool m_activeTitle = false;
    int m_fullHeight = 0;
};

// The board windows by the names the rest of the program knows them by.
class TTablica1 : public TTablica {
public:
    TTablica1(Project& project, const TextTable& texts, WindowHost& host, QWidget* parent)
        : TTablica(1, project, texts, host, parent) {}
};

class TTablica2 : public TTablica {
public:
    TTablica2(Project& project, const TextTable& texts, WindowHost& host, QWidget* parent)
        : TTablica(2, project, texts, host, parent) {}
};

class TTablica3 : public TTablica {
public:
    TTablica3(Project& project, const TextTable& texts, WindowHost& host, QWidget* parent)
        : TTablica(3, project, texts, host, parent) {}
};

}  // namespace trevalon
