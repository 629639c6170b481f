// The results a wizard page ends with, in the page protocol of the setup program and the
// uninstaller (PageDialog). Plain values, so that the decisions made on them are tested on any host.
#pragma once

#include <cstdint>

// Next (the uninstaller's Uninstall too) and Back. A page starts with result_leave, which Cancel
// and the close box leave as it is; every value but Next and Back leaves the wizard.
inline constexpr std::int32_t result_next = 0;
inline constexpr std::int32_t result_leave = 1;
inline constexpr std::int32_t result_back = 2;

// The installation page in the same values: it completed, or it ended short of that; Back
// sends the user back to the destination page.
inline constexpr std::int32_t result_completed = result_next;
inline constexpr std::int32_t result_ended = result_leave;
