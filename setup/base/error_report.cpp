#include "error_report.h"

namespace {

// `value` as printf's "%0<width>d" writes it. Made by hand: in the setup program, printf would
// bring in the run-time library's whole formatter, floating point included.
void append_zero_padded(std::string& out, int value, std::size_t width)
{
    char digits[10];
    std::size_t count = 0;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) {
        out += '-';
        if (width > 0) --width;
    }
    if (count < width) out.append(width - count, '0');
    while (count > 0) out += digits[--count];
}

} // namespace

std::string error_report_header(const std::tm& t, std::uint32_t thread)
{
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::string header = days[t.tm_wday % 7];
    header += ' ';
    header += months[t.tm_mon % 12];
    header += ' ';
    append_zero_padded(header, t.tm_mday, 2);
    header += ' ';
    append_zero_padded(header, t.tm_hour, 2);
    header += ':';
    append_zero_padded(header, t.tm_min, 2);
    header += ':';
    append_zero_padded(header, t.tm_sec, 2);
    header += ' ';
    append_zero_padded(header, t.tm_year + 1900, 4);
    header += "\n\r\n";
    header += std::to_string(thread);
    header += "\r\n";
    return header;
}

std::string fatal_message_text()
{
    return std::string("Please locate the PellwickErrorLog.txt file in this programs install directory and email it to ") +
           support_email_address + ".  When the problem is resolved you will receive a fixed version of this program.";
}
