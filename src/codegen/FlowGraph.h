#pragma once

#include <QString>
#include <vector>

#include "config/Status.h"
#include "model/Project.h"

namespace trevalon::codegen {

// One block the flow performs, as the translator sees it. Lines, joins and corners are not
// nodes: the edges run through them. A block reached in two directions is two nodes, since
// the direction it leaves in depends on the one it came in.
struct FlowNode {
    enum Kind {
        Action,     // read, write, message, question, random, assignment, array blocks
        Condition,  // a comparison: next[0] when it holds (left), next[1] when not (right)
        Call,       // a procedure call: `callee` is the board, next[0] where the flow goes on
        Return,     // the End of a procedure board
        Halt,       // the End of the main board
        Abort,      // the flow leaves the drawing: the run stops with an error there
    };
    Kind kind = Action;
    CellRef cell;
    int next[2] = {-1, -1};
    int callee = 0;
};

// A board that runs as one piece of code: the main board, or a procedure board that some
// call reaches.
struct Routine {
    int board = 1;
    int entry = -1;  // the first node after the Start; -1 when Start is followed by nothing
};

// The blocks of a project joined by the flow, following lines, joins and corners with the
// executor's own turning rules (Executor::turn), branch jumps as edges and procedure ends back
// to where their End sends the flow.
class FlowGraph {
public:
    // Builds the graph of everything reachable from board 1's Start. A failure (texts::Codegen...)
    // for a flow the translator cannot follow: no Start, a call to a board without a Start, a
    // recursive call, a return or a branch jump onto another board than the executor's direction
    // rules can tell.
    Status build(const Project& project);

    const std::vector<FlowNode>& nodes() const { return m_nodes; }
    const std::vector<Routine>& routines() const { return m_routines; }

private:
    enum Heading { Down, Up, Left, Right };
    int nodeAt(const CellRef& cell, int heading);
    int follow(CellRef from, int heading);
    int routineEntry(int board);
    bool fail(const Status& reason);
    void expand(int node, int heading);
    bool checkCalls();

    const Project* m_project = nullptr;
    std::vector<FlowNode> m_nodes;
    std::vector<int> m_headings;  // per node, the direction it leaves in (Action, Call)
    std::vector<int> m_keys;      // per node, its cell and direction as one number
    std::vector<Routine> m_routines;
    std::vector<int> m_pending;
    Status m_error;  // the first reason the flow cannot be followed
};

}  // namespace trevalon::codegen
