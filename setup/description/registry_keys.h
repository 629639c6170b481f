// The registry keys of the setup description: a tree of key nodes, each knowing its children.
#pragma once

#include "locked_pointer_list.h"

#include <cstdint>
#include <memory>
#include <string>

struct RegistryKeyNode {
    std::string key_name;  // a root key name at the top level, else one key level
    std::uint8_t key_flag = 0;
    std::int32_t key_id = 0;  // how child records name their parent
};

class RegistryKeyTree {
public:
    // Appends the node at the top level (no parent) or behind the parent's last child, and
    // returns it. When the parent is not in the tree nothing is added and the result is null.
    const RegistryKeyNode* add_key(const RegistryKeyNode* parent, std::unique_ptr<RegistryKeyNode> node);

    // The top-level nodes (no parent) or the parent's children, in the order they were added.
    // A parent that is not in the tree has none.
    ListSnapshot<const RegistryKeyNode> children_of(const RegistryKeyNode* parent) const;

    bool empty() const { return top_level_.count() == 0; }
    void clear() { top_level_.clear(); }

private:
    struct Entry {
        std::unique_ptr<RegistryKeyNode> node;
        LockedPointerList<Entry> children;
    };

    // Depth-first, each list in order, an entry before its children. Recurses as deep as the
    // tree; the section reader keeps trees within package_format::deepest_key_level.
    static Entry* find_entry(const LockedPointerList<Entry>& list, const RegistryKeyNode* node);

    LockedPointerList<Entry> top_level_;
};
