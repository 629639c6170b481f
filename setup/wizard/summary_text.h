// The text of the summary page: the destination, the offered options and the disk space.
#pragma once

#include "wizard_state.h"

#include <cstdint>
#include <string>

struct SetupDescription;

// Lines end with "\r\n" for the multi-line edit. free_bytes is what the destination's volume
// reports, 0 when it could not be queried.
std::string summary_text(const SetupDescription& description, const WizardState& state,
                         std::uint64_t free_bytes);
