// The registry values of the setup description: one list in the order they were read, each
// value tied to the key node it belongs to.
#pragma once

#include "locked_pointer_list.h"
#include "registry_keys.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// At most one of the three kinds is set; a value of an unknown type has none.
struct RegistryValueEntry {
    const RegistryKeyNode* owner_key = nullptr;
    std::string value_name;  // empty for the key's default value
    bool is_string = false;
    bool is_dword = false;
    bool is_binary = false;
    std::string string_data;
    std::uint32_t dword_data = 0;
    std::vector<std::uint8_t> binary_data;
    std::uint32_t binary_size = 0;
};

class RegistryValueList {
public:
    const RegistryValueEntry& append_value(std::unique_ptr<RegistryValueEntry> value)
    {
        return values_.append(std::move(value));
    }

    // Every value in list order; filter on owner_key for the values of one key.
    ListSnapshot<const RegistryValueEntry> values() const { return values_.snapshot(); }

    std::size_t count() const { return values_.count(); }
    void clear() { values_.clear(); }

private:
    LockedPointerList<RegistryValueEntry> values_;
};
