#include "GraphInternal.h"

namespace ectool {

void Builder::Select(const GraphRequest& request, std::vector<bool>& keep,
                     std::vector<bool>& focused) {
    // What to keep: everything, or the system state asked for, the special
    // states tied to it, and whatever their edges reach or come from.
    keep.assign(m_nodes.size(), !request.hasSystemState);
    focused.assign(m_nodes.size(), false);
    if (request.hasSystemState) {
        int focus = request.systemState;
        std::set<int> related;
        auto rel = m_relationship.find(focus);
        if (rel != m_relationship.end())
            for (const auto& es : rel->second) related.insert(es.first);
        std::vector<bool>& inFocus = focused;
        for (std::size_t i = 0; i < m_nodes.size(); ++i) {
            const GNode& n = m_nodes[i];
            inFocus[i] = n.owner == focus || (n.owner == kSpecial && related.count(n.state));
            keep[i] = inFocus[i];
        }
        for (const GEdge& e : m_edges) {
            if (e.weak) continue;
            std::size_t a = m_nodeIndex[e.from], b = m_nodeIndex[e.to];
            if (inFocus[a] || inFocus[b]) keep[a] = keep[b] = true;
        }
        // A kept node's cluster keeps its entry dot.
        for (std::size_t i = 0; i < m_nodes.size(); ++i)
            if (keep[i] && m_nodes[i].owner != kSpecial && m_nodes[i].owner != kOutside)
                keep[m_nodeIndex["s" + Str(m_nodes[i].owner)]] = true;
    }
}

}  // namespace ectool
