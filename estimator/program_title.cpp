#include "program_title.h"

#include <cctype>

std::string program_title(std::string_view path)
{
    std::size_t name_start = path.find_last_of("\\/:");
    std::string_view name = name_start == std::string_view::npos ? path : path.substr(name_start + 1);
    std::size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos) name = name.substr(0, dot);

    std::string title(name);
    for (std::size_t i = 1; i < title.size(); ++i)
        title[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(title[i])));
    return title;
}
