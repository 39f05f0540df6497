#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/Project.h"

namespace trevalon {

class TextTable;

// What one step of the history changed, found by comparing the project before and after it, so
// that every path that edits the project (the board, the properties, the menus) is named the
// same way without telling the history what it did.
struct ProjectChange {
    enum Kind {
        None,
        Place,
        Delete,
        Move,
        Properties,
        ClearBoard,
        AddBoard,
        DeleteBoard,
        BoardSettings,
        AddBlocks,
        DeleteBlocks,
        Several,
    };
    Kind kind = None;
    QString name;   // the block's name, or the board's
    int count = 0;  // blocks added or deleted at once

    // "usunięcie bloku Pisz6" / "delete block Pisz6", in the texts' current language.
    QString describe(const TextTable& texts) const;
};

// Undo and redo for the whole project. The history is a line of states, each the project as it
// stood after one change; undo and redo move along it and copy a state back into the project.
// A board that a change did not touch is shared with the state before, so a step costs about
// one board. The oldest states are forgotten once the kept boards exceed `byteBudget`.
//
// What counts as the project here is what its file keeps, without the window positions, the
// marks of selection, check and run, and the run's directions: moving a window or selecting a
// block is no change.
class UndoHistory {
public:
    static constexpr std::size_t DefaultByteBudget = std::size_t{48} << 20;

    explicit UndoHistory(std::size_t byteBudget = DefaultByteBudget);

    // Starts anew from `project` (opened, new, or changed by a run), which is also the saved
    // state when `saved`.
    void reset(const Project& project, bool saved = true);
    // After something that may have changed `project`: when it differs from the current state
    // it becomes a new state and whatever could be redone is forgotten. True when recorded.
    bool record(const Project& project);
    // The state the project file on disk holds is the current one.
    void markSaved();
    // Takes `project` as the current state without making a step of it: what a run wrote into
    // the blocks (an array's length) is no edit of the pupil's.
    void adopt(const Project& project);

    bool canUndo() const { return m_current > 0; }
    bool canRedo() const { return m_current + 1 < m_states.size(); }
    // The change an undo would take back, and the one a redo would make again.
    ProjectChange undoChange() const;
    ProjectChange redoChange() const;

    // Copy the state before (after) the current one into `project`, keeping its window
    // positions and clearing its marks; its changed flag is clear exactly at the saved state.
    bool undo(Project& project);
    bool redo(Project& project);

    // Changes whenever the project becomes another state of the history (a recorded change,
    // an undo, a redo, a new start) and only then: what was said about one state is known
    // stale once this differs.
    std::uint64_t revision() const { return m_revision; }

    std::size_t levels() const { return m_states.size(); }
    std::size_t bytes() const { return m_bytes; }

private:
    struct State {
        std::array<std::shared_ptr<const Board>, kMaxBoards> boards;
        int boardCount = 1;
        int activeBoard = 1;
        ProjectChange change;  // what led here from the state before
    };

    State capture(const Project& project, const State* before);
    static ProjectChange changeBetween(const State& before, const Project& after);
    void restore(const State& state, Project& project) const;
    void forgetOldest();

    static constexpr std::size_t kNoState = static_cast<std::size_t>(-1);

    std::size_t m_byteBudget;
    std::vector<State> m_states;
    std::size_t m_current = 0;
    // Index of the saved state, or kNoState when it was forgotten or changed away.
    std::size_t m_saved = 0;
    std::size_t m_bytes = 0;
    std::uint64_t m_revision = 0;
};

// Whether two boards hold the same blocks and settings, as the history compares them.
bool sameBoardContent(const Board& a, const Board& b);

}  // namespace trevalon
