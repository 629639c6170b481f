#include "setup_directory.h"

#include "program_file.h"

std::string setup_directory()
{
    std::string path = program_file_path();
    std::size_t separator = path.rfind('\\');
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}
