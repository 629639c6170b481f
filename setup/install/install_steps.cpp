#include "install_steps.h"

#include "install_texts.h"
#include "setup_description.h"

InstallStep install_step(std::uint32_t step_number)
{
    if (step_number >= static_cast<std::uint32_t>(InstallStep::closing)) return InstallStep::closing;
    return static_cast<InstallStep>(step_number);
}

std::int32_t failure_result(InstallStep step)
{
    // Only the first two steps run before anything is written into the destination.
    return step == InstallStep::destination || step == InstallStep::log_itself ? result_back : result_ended;
}

std::uint16_t progress_range(std::uint32_t file_count) { return static_cast<std::uint16_t>(file_count + 15); }

bool keep_existing_file(std::uint64_t existing, std::uint32_t time_high, std::uint32_t time_low)
{
    std::uint64_t stamp = (static_cast<std::uint64_t>(time_high) << 32) | time_low;
    return existing >= stamp;
}

std::uint64_t unix_time_to_file_time(std::uint32_t seconds)
{
    constexpr std::uint64_t seconds_1601_to_1970 = 11644473600ULL;
    return (seconds + seconds_1601_to_1970) * 10000000ULL;
}

std::string description_value(const SetupDescription& description, std::string_view destination)
{
    if (description.create_program_group == 1) return description.program_group_name;
    return std::string(last_component(destination));
}
