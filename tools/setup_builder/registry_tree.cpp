#include "registry_tree.h"

#include "text_case.h"

#include <algorithm>
#include <stdexcept>

namespace builder {

namespace {

RegistryKeyNode& find_or_add_child(std::vector<RegistryKeyNode>& siblings, const std::string& name)
{
    auto found = std::ranges::find_if(siblings, [&](const RegistryKeyNode& n) {
        return equal_ignoring_case(n.key_name, name);
    });
    if (found != siblings.end()) return *found;
    siblings.push_back({name, {}, {}});
    return siblings.back();
}

} // namespace

RegistryKeyNode& find_or_add_key(std::vector<RegistryKeyNode>& roots, const std::vector<std::string>& levels)
{
    if (levels.empty()) throw std::invalid_argument("a registry key path without levels");
    RegistryKeyNode* node = &find_or_add_child(roots, levels.front());
    for (std::size_t i = 1; i < levels.size(); ++i) node = &find_or_add_child(node->children, levels[i]);
    return *node;
}

} // namespace builder
