#pragma once

namespace trevalon {

// What the board editor asks of the windows around it. The application's main window
// implements it; the editor itself only changes the model and its own state.
class EditorView {
public:
    virtual ~EditorView() = default;

    // Board n's model or marks changed: draw its picture again.
    virtual void boardChanged(int n) = 0;
    // Size, place, draw and show board n's window; or hide it.
    virtual void showBoardWindow(int n) = 0;
    virtual void hideBoardWindow(int n) = 0;
    // Board n was deleted; with `shifted` the board after it moved into its window. What a
    // window keeps of its own board (the zoom) follows the board.
    virtual void boardDeleted(int n, bool shifted) = 0;
    // Bring board n's window to the front (and give it the keyboard when `focus`).
    virtual void raiseBoard(int n, bool focus) = 0;
    // The active board changed: titles are drawn white, the active one yellow.
    virtual void titlesChanged() = 0;
    // Placing or move mode changed: cursors and the chosen toolbar button follow.
    virtual void modesChanged() = 0;
    virtual void focusMainWindow() = 0;

    // The properties window: show the given kind (1 variable, 2 board, else a kind code).
    virtual void showProperties(int kind) = 0;
    // True while an inline editor of the properties window is open.
    virtual bool propertiesEditing() const = 0;
    // Ends that editor's edit, storing what it holds (a click on a board commits it, the way
    // a click elsewhere in a form does).
    virtual void finishPropertiesEdit() = 0;
    virtual void hideReport() = 0;

    // The setting "Ostrzegaj przy usuwaniu klocka".
    virtual bool warnBeforeDelete() const = 0;
    // Put board n's picture, as drawn, on the clipboard.
    virtual void copyBoardPicture(int n) = 0;
    // A variables list was changed outside a run (placing an array block creates its array).
    virtual void placedArrayBlock(int n, int column, int row) = 0;
};

}  // namespace trevalon
