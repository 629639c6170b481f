#include "system_checks.h"

#include "scoped_registry_key.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr char refusal_title[] = "Unable to install";
constexpr char internet_explorer_key[] = "Software\\Microsoft\\Internet Explorer";
constexpr DWORD version_value_size = 256;

void refuse(const std::string& message)
{
    MessageBoxA(nullptr, message.c_str(), refusal_title, MB_OK | MB_ICONINFORMATION);
}

} // namespace

OsVersion query_os_version()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    OsVersion version;
    if (!GetVersionExA(&info)) return version;
    version.platform_id = info.dwPlatformId;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    return version;
}

std::optional<std::string> read_internet_explorer_version()
{
    ScopedRegistryKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, internet_explorer_key, 0, KEY_READ, key.receive()) != ERROR_SUCCESS)
        return std::nullopt;
    // One byte more than the value may take, so that the text always ends.
    std::string value(version_value_size + 1, '\0');
    DWORD size = version_value_size;
    if (RegQueryValueExA(key.get(), "version", nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.resize(std::strlen(value.c_str()));
    return value;
}

bool system_accepted(const SetupDescription& description, const OsVersion& version)
{
    if (std::optional<std::string> refusal = system_refusal(description, version)) {
        refuse(*refusal);
        return false;
    }
    if (description.require_ie5 == 1 && internet_explorer_too_old(read_internet_explorer_version())) {
        refuse(internet_explorer_refusal);
        return false;
    }
    return true;
}
