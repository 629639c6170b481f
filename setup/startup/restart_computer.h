// Restarting the computer after an installation that recommends it.
#pragma once

// Asks whether to restart now; true for Yes.
bool ask_restart();

// Restarts the computer. Where the system guards restarting with the shutdown privilege, the
// privilege is enabled first. Whether the restart then happens is not examined.
void restart_computer();
