#pragma once

#include <vector>

#include "codegen/FlowGraph.h"

namespace trevalon::codegen {

// A statement of the structured program: a block, a choice, a loop, a jump out of or back to
// the top of the innermost loop, or a part that keeps the flowchart's jumps as they are.
struct Statement {
    enum Kind {
        Block,     // `node` is performed (an action, a call, a return, the end, an abort)
        If,        // `node` is the comparison; `body` when it holds (or not, when negated)
        Loop,      // `node` the comparison tested before each round, -1 for an endless loop
        Break,     // leaves the innermost loop
        Continue,  // starts the innermost loop's next round
        Dispatch,  // `nodes` run by a state variable, the first of them first, until the
                   // flow reaches `node` (-1: never; the routine ends inside)
    };
    Kind kind = Block;
    int node = -1;
    bool negated = false;
    std::vector<Statement> body;
    std::vector<Statement> otherwise;
    std::vector<int> nodes;
};

// Recovers if/else and while loops from a routine's flow: loops from the edges that lead back
// to a block that dominates them, the merge point of a comparison from its nearest
// post-dominator. A loop left towards two different blocks becomes a Dispatch statement
// that runs up to the block where those ways meet again; a routine whose flow is not
// reducible becomes one Dispatch statement as a whole.
class Structurer {
public:
    explicit Structurer(const FlowGraph& graph) : m_graph(graph) {}

    // The statements of `routine`; `dispatched` tells whether the fallback was needed.
    std::vector<Statement> structure(const Routine& routine, bool* dispatched);

private:
    struct LoopContext {
        int header = -1;
        int follow = -1;
        const std::vector<bool>* body = nullptr;
        const LoopContext* outer = nullptr;
    };
    bool analyse(int entry);
    void collect(int entry);
    void markReachesExit();
    bool findLoops();
    void addToLoop(int header, int source);
    bool region(int node, int stop, const LoopContext* loop, std::vector<Statement>& out,
                bool enterHeader = false);
    bool loopAt(int header, int stop, const LoopContext* outer, std::vector<Statement>& out,
                int* follow);
    bool dispatchAt(int header, int stop, const LoopContext* outer, std::vector<Statement>& out,
                    int* follow);
    bool choice(int node, int stop, const LoopContext* loop, std::vector<Statement>& out,
                int* merge);
    int mergeOf(int node, int stop, const LoopContext* loop) const;
    bool postDominates(int a, int b) const;
    std::vector<int> successors(int node) const;
    int local(int node) const { return m_local[static_cast<std::size_t>(node)]; }

    const FlowGraph& m_graph;
    std::vector<int> m_local;                     // graph node -> index among the routine's, or -1
    std::vector<int> m_order;                     // the routine's nodes, entry first
    std::vector<std::vector<int>> m_next;         // by local index, the local successors
    std::vector<std::vector<int>> m_preds;        // by local index, the local predecessors
    std::vector<std::vector<bool>> m_dominators;  // by local index
    std::vector<std::vector<bool>> m_postDominators;  // by local index, exit last
    std::vector<bool> m_reachesExit;
    std::vector<std::vector<bool>> m_loopBody;  // by local index of a header; empty otherwise
    int m_budget = 0;
    bool m_dispatched = false;
};

}  // namespace trevalon::codegen
