#include "registry_keys.h"

#include <utility>

RegistryKeyTree::Entry* RegistryKeyTree::find_entry(const LockedPointerList<Entry>& list,
                                                    const RegistryKeyNode* node)
{
    // The entries are found in order to append to their child lists, which lock for themselves.
    for (Entry* entry : list.snapshot_as([](Entry* e) { return e; })) {
        if (entry->node.get() == node) return entry;
        if (Entry* found = find_entry(entry->children, node)) return found;
    }
    return nullptr;
}

const RegistryKeyNode* RegistryKeyTree::add_key(const RegistryKeyNode* parent, std::unique_ptr<RegistryKeyNode> node)
{
    if (!node) return nullptr;
    LockedPointerList<Entry>* list = &top_level_;
    if (parent) {
        Entry* parent_entry = find_entry(top_level_, parent);
        if (!parent_entry) return nullptr;
        list = &parent_entry->children;
    }
    auto entry = std::make_unique<Entry>();
    entry->node = std::move(node);
    return list->append(std::move(entry)).node.get();
}

ListSnapshot<const RegistryKeyNode> RegistryKeyTree::children_of(const RegistryKeyNode* parent) const
{
    const LockedPointerList<Entry>* list = &top_level_;
    if (parent) {
        const Entry* parent_entry = find_entry(top_level_, parent);
        if (!parent_entry) return ListSnapshot<const RegistryKeyNode>({}, {});
        list = &parent_entry->children;
    }
    return list->snapshot_as([](const Entry* entry) -> const RegistryKeyNode* { return entry->node.get(); });
}
