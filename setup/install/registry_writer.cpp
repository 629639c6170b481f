#include "registry_writer.h"

#include "install_log.h"
#include "install_texts.h"
#include "trace.h"

using namespace std::string_view_literals;

namespace {

constexpr REGSAM key_access = KEY_READ | KEY_WRITE;

// Opens the level, or creates it when it does not exist yet; `created` says which.
LONG open_or_create(HKEY root, const std::string& level, ScopedRegistryKey& key, bool& created)
{
    HKEY opened = nullptr;
    created = false;
    LONG status = RegOpenKeyExA(root, level.c_str(), 0, key_access, &opened);
    if (status != ERROR_SUCCESS) {
        char no_class[] = "";
        status = RegCreateKeyExA(root, level.c_str(), 0, no_class, REG_OPTION_NON_VOLATILE, key_access, nullptr, &opened,
                                 nullptr);
        created = status == ERROR_SUCCESS;
    }
    if (status == ERROR_SUCCESS) key.reset(opened);
    return status;
}

// Every value of the registry section that belongs to `node`, in list order.
void write_key_values(const InstallContext& install, HKEY key, const RegistryKeyNode* node, std::string_view log_key_name)
{
    for (const RegistryValueEntry* value : install.description->registry_values.values()) {
        if (value->owner_key != node) continue;
        // A value whose type the package did not name has no data: it is left out.
        std::optional<RegistryData> data = registry_data(*value);
        if (data) set_registry_value(install, key, value->value_name, data->type, data->bytes, data->length, log_key_name);
    }
}

// The keys below `node` with their values, depth first. A key that cannot be made loses its
// values, but its children are still tried.
void write_key_tree(const InstallContext& install, RegistryRoot root, const RegistryKeyNode* node,
                    const std::string* prefix)
{
    for (const RegistryKeyNode* child : install.description->registry_keys.children_of(node)) {
        std::string path = prefix ? join({*prefix, "\\"sv, child->key_name}) : child->key_name;
        {
            ScopedRegistryKey key;
            if (create_key_path(install, root, path, key) == ERROR_SUCCESS)
                write_key_values(install, key.get(), child, join({registry_root_name(root), "\\"sv, path}));
        }
        write_key_tree(install, root, child, &path);
    }
}

} // namespace

HKEY registry_root_key(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::classes_root: return HKEY_CLASSES_ROOT;
    case RegistryRoot::users: return HKEY_USERS;
    case RegistryRoot::local_machine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::current_user: break;
    }
    return HKEY_CURRENT_USER;
}

LONG create_key_path(const InstallContext& install, RegistryRoot root, std::string_view path, ScopedRegistryKey& key)
{
    TRACE_POINT();
    LONG status = 1;
    // Each level is the text before a "\", and last the whole path.
    for (std::size_t end = 0; end <= path.size(); ++end) {
        if (end < path.size() && path[end] != '\\') continue;
        std::string level(path.substr(0, end));
        key.reset();
        bool created = false;
        status = open_or_create(registry_root_key(root), level, key, created);
        // Only levels that did not exist are the installation's to remove again.
        if (created) append_log_entry(install, log_registry_entry, level, registry_root_name(root));
    }
    return status;
}

LONG set_registry_value(const InstallContext& install, HKEY key, const std::string& name, DWORD type,
                        const void* data, DWORD length, std::optional<std::string_view> log_key_name)
{
    TRACE_POINT();
    LONG status = RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), length);
    if (status == ERROR_SUCCESS && log_key_name) append_log_entry(install, log_registry_value, name, *log_key_name);
    return status;
}

void write_registry_entries(const InstallContext& install)
{
    TRACE_POINT();
    for (const RegistryKeyNode* top : install.description->registry_keys.children_of(nullptr)) {
        // A root node that names no known root is written below the current user, and logged
        // so: the uninstaller removes what the log names.
        RegistryRoot root = registry_root_from_name(top->key_name);
        // Values of a root node go straight into the predefined key.
        write_key_values(install, registry_root_key(root), top, registry_root_name(root));
        write_key_tree(install, root, top, nullptr);
    }
}
