#include "error_report.h"

#include <cstdio>

std::string error_report_header(const std::tm& t, std::uint32_t thread)
{
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%s %s %02d %02d:%02d:%02d %04d\n", days[t.tm_wday % 7], months[t.tm_mon % 12],
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, t.tm_year + 1900);
    return std::string(stamp) + "\r\n" + std::to_string(thread) + "\r\n";
}

std::string fatal_message_text()
{
    return std::string("Please locate the PellwickErrorLog.txt file in this programs install directory and email it to ") +
           support_email_address + ".  When the problem is resolved you will receive a fixed version of this program.";
}
