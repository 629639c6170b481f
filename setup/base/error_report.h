// The texts of a post-mortem report in "PellwickErrorLog.txt".
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

inline constexpr const char* error_log_name = "PellwickErrorLog.txt";
inline constexpr const char* support_email_address = "support@zelmorgraphics.com";

// The time in the run-time library's asctime form ("Wed Jan 02 02:03:55 1980", 24 characters)
// with asctime's own line feed, then CR LF, the thread id and CR LF.
std::string error_report_header(const std::tm& local_time, std::uint32_t thread);

// What the user is told before the program ends.
std::string fatal_message_text();
inline constexpr const char* fatal_message_title = "Must Shutdown due to an error";
