#include "codegen/Structurer.h"

#include <set>

namespace trevalon::codegen {
namespace {

// Drops a `continue` that ends a loop's round anyway.
void trimContinue(std::vector<Statement>& body) {
    if (body.empty()) {
        return;
    }
    Statement& last = body.back();
    if (last.kind == Statement::Continue) {
        body.pop_back();
    } else if (last.kind == Statement::If) {
        trimContinue(last.body);
        trimContinue(last.otherwise);
    }
}

bool isBreak(const std::vector<Statement>& body) {
    return body.size() == 1 && body.front().kind == Statement::Break;
}

// `if c: break / else: rest` reads better as `if c: break` followed by the rest.
void tidy(std::vector<Statement>& body) {
    for (std::size_t i = 0; i < body.size(); ++i) {
        Statement& s = body[i];
        tidy(s.body);
        tidy(s.otherwise);
        if (s.kind == Statement::Loop) {
            trimContinue(s.body);
        }
        if (s.kind != Statement::If || s.otherwise.empty()) {
            continue;
        }
        if (isBreak(s.otherwise)) {
            std::swap(s.body, s.otherwise);
            s.negated = !s.negated;
        }
        if (isBreak(s.body)) {
            std::vector<Statement> rest = std::move(s.otherwise);
            s.otherwise.clear();
            body.insert(body.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                        std::make_move_iterator(rest.begin()), std::make_move_iterator(rest.end()));
        }
    }
}

}  // namespace

std::vector<int> Structurer::successors(int node) const {
    const FlowNode& n = m_graph.nodes()[static_cast<std::size_t>(node)];
    std::vector<int> next;
    if (n.kind == FlowNode::Action || n.kind == FlowNode::Call || n.kind == FlowNode::Condition) {
        for (int s : n.next) {
            if (s >= 0) {
                next.push_back(s);
            }
        }
    }
    return next;
}

std::vector<Statement> Structurer::structure(const Routine& routine, bool* dispatched) {
    *dispatched = false;
    std::vector<Statement> out;
    if (routine.entry < 0) {
        return out;
    }
    const bool reducible = analyse(routine.entry);
    m_budget = 8 * static_cast<int>(m_order.size()) + 64;
    m_dispatched = false;
    if (reducible && region(routine.entry, -1, nullptr, out)) {
        tidy(out);
        *dispatched = m_dispatched;
        return out;
    }
    *dispatched = true;
    Statement all;
    all.kind = Statement::Dispatch;
    all.node = -1;
    all.nodes = m_order;
    return {all};
}

namespace {

// Dominator sets (or post-dominator sets, over the reversed edges) recomputed until nothing
// changes: each node's set is itself and what all the nodes it comes from share. The graphs of
// a flowchart have at most a few thousand nodes.
void settle(std::vector<std::vector<bool>>& sets, std::size_t first,
            const std::vector<std::vector<int>>& from) {
    const std::size_t size = from.size();
    sets.assign(size, std::vector<bool>(size, true));
    sets[first].assign(size, false);
    sets[first][first] = true;
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t v = 0; v < size; ++v) {
            if (v == first || from[v].empty()) {
                continue;
            }
            std::vector<bool> meet(size, true);
            for (int p : from[v]) {
                for (std::size_t k = 0; k < size; ++k) {
                    meet[k] = meet[k] && sets[static_cast<std::size_t>(p)][k];
                }
            }
            meet[v] = true;
            if (meet != sets[v]) {
                sets[v] = std::move(meet);
                changed = true;
            }
        }
    }
}

}  // namespace

bool Structurer::analyse(int entry) {
    collect(entry);
    const std::size_t n = m_order.size();
    settle(m_dominators, 0, m_preds);
    // Post-dominators over the reversed graph, with one exit after every node that ends.
    std::vector<std::vector<int>> towardsExit = m_next;
    towardsExit.emplace_back();
    for (std::size_t i = 0; i < n; ++i) {
        if (m_next[i].empty()) {
            towardsExit[i].push_back(static_cast<int>(n));
        }
    }
    settle(m_postDominators, n, towardsExit);
    markReachesExit();
    return findLoops();
}

// The routine's nodes in the order a breadth-first walk meets them, with their edges.
void Structurer::collect(int entry) {
    m_local.assign(m_graph.nodes().size(), -1);
    m_order.assign(1, entry);
    m_local[static_cast<std::size_t>(entry)] = 0;
    for (std::size_t i = 0; i < m_order.size(); ++i) {
        for (int s : successors(m_order[i])) {
            if (local(s) < 0) {
                m_local[static_cast<std::size_t>(s)] = static_cast<int>(m_order.size());
                m_order.push_back(s);
            }
        }
    }
    const std::size_t n = m_order.size();
    m_next.assign(n, {});
    m_preds.assign(n, {});
    for (std::size_t i = 0; i < n; ++i) {
        for (int s : successors(m_order[i])) {
            m_next[i].push_back(local(s));
            m_preds[static_cast<std::size_t>(local(s))].push_back(static_cast<int>(i));
        }
    }
}

void Structurer::markReachesExit() {
    const std::size_t n = m_order.size();
    m_reachesExit.assign(n, false);
    std::vector<int> work;
    for (std::size_t i = 0; i < n; ++i) {
        if (m_next[i].empty()) {
            m_reachesExit[i] = true;
            work.push_back(static_cast<int>(i));
        }
    }
    while (!work.empty()) {
        const int v = work.back();
        work.pop_back();
        for (int p : m_preds[static_cast<std::size_t>(v)]) {
            if (!m_reachesExit[static_cast<std::size_t>(p)]) {
                m_reachesExit[static_cast<std::size_t>(p)] = true;
                work.push_back(p);
            }
        }
    }
}

// Back edges by a depth-first walk, each with the loop it closes; false when one leads to a
// block that does not dominate its source (a loop entered in two places).
bool Structurer::findLoops() {
    const std::size_t n = m_order.size();
    m_loopBody.assign(n, {});
    std::vector<int> state(n, 0);  // 0 unseen, 1 on the walk's path, 2 done
    std::vector<std::pair<int, std::size_t>> path{{0, 0}};
    state[0] = 1;
    while (!path.empty()) {
        auto& [v, k] = path.back();
        const std::size_t vi = static_cast<std::size_t>(v);
        if (k == m_next[vi].size()) {
            state[vi] = 2;
            path.pop_back();
            continue;
        }
        const int s = m_next[vi][k++];
        const std::size_t si = static_cast<std::size_t>(s);
        if (state[si] == 0) {
            state[si] = 1;
            path.emplace_back(s, 0);
        } else if (state[si] == 1) {
            if (!m_dominators[vi][si]) {
                return false;
            }
            addToLoop(s, v);
        }
    }
    return true;
}

// The natural loop of the back edge from `source` to `header`: every node that reaches the
// source without passing the header.
void Structurer::addToLoop(int header, int source) {
    std::vector<bool>& body = m_loopBody[static_cast<std::size_t>(header)];
    if (body.empty()) {
        body.assign(m_order.size(), false);
        body[static_cast<std::size_t>(header)] = true;
    }
    std::vector<int> back{source};
    while (!back.empty()) {
        const int b = back.back();
        back.pop_back();
        if (body[static_cast<std::size_t>(b)]) {
            continue;
        }
        body[static_cast<std::size_t>(b)] = true;
        for (int p : m_preds[static_cast<std::size_t>(b)]) {
            back.push_back(p);
        }
    }
}

bool Structurer::postDominates(int a, int b) const {
    const std::size_t bi = static_cast<std::size_t>(local(b));
    return m_reachesExit[bi] && m_postDominators[bi][static_cast<std::size_t>(local(a))];
}

// The block where both ways out of comparison `node` meet again, when that lies inside the
// region being written; -1 when each way must run to the region's end by itself.
int Structurer::mergeOf(int node, int stop, const LoopContext* loop) const {
    const std::size_t v = static_cast<std::size_t>(local(node));
    if (!m_reachesExit[v]) {
        return -1;
    }
    const std::size_t exit = m_order.size();
    int best = -1;
    std::size_t bestSize = 0;
    for (std::size_t k = 0; k < exit; ++k) {
        if (k == v || !m_postDominators[v][k]) {
            continue;
        }
        std::size_t size = 0;
        for (bool b : m_postDominators[k]) {
            size += b ? 1 : 0;
        }
        if (size > bestSize) {
            bestSize = size;
            best = m_order[k];
        }
    }
    if (best < 0) {
        return -1;
    }
    if (loop != nullptr &&
        (best == loop->header || !(*loop->body)[static_cast<std::size_t>(local(best))])) {
        return -1;
    }
    if (stop >= 0 && best != stop && postDominates(best, stop)) {
        return -1;
    }
    return best;
}

bool Structurer::region(int node, int stop, const LoopContext* loop, std::vector<Statement>& out,
                        bool enterHeader) {
    int cur = node;
    for (bool first = true;; first = false) {
        if (--m_budget < 0 || cur < 0) {
            return cur < 0 && m_budget >= 0;
        }
        const bool passHeader = first && enterHeader;
        if (cur == stop && !passHeader) {
            return true;
        }
        if (loop != nullptr && !passHeader) {
            if (cur == loop->header) {
                out.push_back(Statement{Statement::Continue, -1, false, {}, {}, {}});
                return true;
            }
            if (!(*loop->body)[static_cast<std::size_t>(local(cur))]) {
                if (cur != loop->follow) {
                    return false;  // a jump out of more than the innermost loop
                }
                out.push_back(Statement{Statement::Break, -1, false, {}, {}, {}});
                return true;
            }
        }
        if (!passHeader && !m_loopBody[static_cast<std::size_t>(local(cur))].empty()) {
            int follow = -1;
            if (!loopAt(cur, stop, loop, out, &follow)) {
                return false;
            }
            if (follow < 0) {
                return true;
            }
            cur = follow;
            continue;
        }
        const FlowNode& n = m_graph.nodes()[static_cast<std::size_t>(cur)];
        if (n.kind == FlowNode::Condition) {
            int merge = -1;
            if (!choice(cur, stop, loop, out, &merge)) {
                return false;
            }
            if (merge < 0) {
                return true;
            }
            cur = merge;
            continue;
        }
        out.push_back(Statement{Statement::Block, cur, false, {}, {}, {}});
        if (n.kind != FlowNode::Action && n.kind != FlowNode::Call) {
            return true;
        }
        if (n.next[0] < 0) {
            return true;  // a procedure that never returns
        }
        cur = n.next[0];
    }
}

bool Structurer::loopAt(int header, int stop, const LoopContext* outer, std::vector<Statement>& out,
                        int* follow) {
    const std::vector<bool>& body = m_loopBody[static_cast<std::size_t>(local(header))];
    std::set<int> exits;
    for (std::size_t i = 0; i < m_order.size(); ++i) {
        if (!body[i]) {
            continue;
        }
        for (int s : successors(m_order[i])) {
            if (!body[static_cast<std::size_t>(local(s))]) {
                exits.insert(s);
            }
        }
    }
    if (exits.size() > 1) {
        return dispatchAt(header, stop, outer, out, follow);
    }
    *follow = exits.empty() ? -1 : *exits.begin();
    const LoopContext context{header, *follow, &body, outer};
    Statement loop;
    loop.kind = Statement::Loop;
    const FlowNode& h = m_graph.nodes()[static_cast<std::size_t>(header)];
    if (h.kind == FlowNode::Condition && *follow >= 0) {
        const bool holdsInside = body[static_cast<std::size_t>(local(h.next[0]))];
        const bool failsInside = body[static_cast<std::size_t>(local(h.next[1]))];
        if (holdsInside != failsInside) {
            loop.node = header;
            loop.negated = !holdsInside;
            if (!region(holdsInside ? h.next[0] : h.next[1], header, &context, loop.body)) {
                return dispatchAt(header, stop, outer, out, follow);
            }
            out.push_back(std::move(loop));
            return true;
        }
    }
    if (!region(header, header, &context, loop.body, true)) {
        return dispatchAt(header, stop, outer, out, follow);
    }
    out.push_back(std::move(loop));
    return true;
}

// The loop at `header` as a state machine, from its header to the nearest block where every
// way out of it meets again; the structured code goes on from there. False when that part
// would reach beyond the region being written (the enclosing loop's top or end, or `stop`).
bool Structurer::dispatchAt(int header, int stop, const LoopContext* outer,
                            std::vector<Statement>& out, int* follow) {
    const std::vector<bool>& body = m_loopBody[static_cast<std::size_t>(local(header))];
    const std::size_t h = static_cast<std::size_t>(local(header));
    int meet = -1;
    std::size_t meetSize = 0;
    if (m_reachesExit[h]) {
        for (std::size_t k = 0; k < m_order.size(); ++k) {
            if (k == h || body[k] || !m_postDominators[h][k]) {
                continue;
            }
            std::size_t size = 0;
            for (bool b : m_postDominators[k]) {
                size += b ? 1 : 0;
            }
            if (size > meetSize) {
                meetSize = size;
                meet = m_order[k];
            }
        }
    }
    Statement machine;
    machine.kind = Statement::Dispatch;
    machine.node = meet;
    std::vector<bool> seen(m_order.size(), false);
    std::vector<int> work{header};
    while (!work.empty()) {
        const int n = work.back();
        work.pop_back();
        const std::size_t i = static_cast<std::size_t>(local(n));
        if (n == meet || seen[i]) {
            continue;
        }
        if (n == stop || (outer != nullptr && (n == outer->header || !(*outer->body)[i]))) {
            return false;
        }
        seen[i] = true;
        machine.nodes.push_back(n);
        for (int s : successors(n)) {
            work.push_back(s);
        }
    }
    if (outer != nullptr && meet < 0) {
        return false;
    }
    m_dispatched = true;
    out.push_back(std::move(machine));
    *follow = meet;
    return true;
}

bool Structurer::choice(int node, int stop, const LoopContext* loop, std::vector<Statement>& out,
                        int* merge) {
    *merge = mergeOf(node, stop, loop);
    const int until = *merge >= 0 ? *merge : stop;
    const FlowNode& n = m_graph.nodes()[static_cast<std::size_t>(node)];
    Statement s;
    s.kind = Statement::If;
    s.node = node;
    if (!region(n.next[0], until, loop, s.body) || !region(n.next[1], until, loop, s.otherwise)) {
        return false;
    }
    if (s.body.empty() && !s.otherwise.empty()) {
        std::swap(s.body, s.otherwise);
        s.negated = true;
    }
    out.push_back(std::move(s));
    return true;
}

}  // namespace trevalon::codegen
