#include "restart_computer.h"

#include "scoped_handle.h"

#include <windows.h>

namespace {

constexpr char restart_question[] =
    "It is recommended that you restart your computer.  Would you like to restart your computer now?";
constexpr char restart_title[] = "Reboot?";

// The Windows 95 family has no privileges; there GetVersion's high bit is set.
bool system_has_privileges() { return (GetVersion() & 0x80000000u) == 0; }

void enable_shutdown_privilege()
{
    ScopedHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.receive())) return;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) return;
    AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
}

} // namespace

bool ask_restart()
{
    return MessageBoxA(nullptr, restart_question, restart_title, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void restart_computer()
{
    if (system_has_privileges()) enable_shutdown_privilege();
    ExitWindowsEx(EWX_REBOOT, 0);
}
