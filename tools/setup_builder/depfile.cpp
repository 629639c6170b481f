#include "depfile.h"

namespace builder {

namespace {

std::string escaped(const std::string& path)
{
    std::string result;
    for (char c : path) {
        if (c == ' ' || c == '\t' || c == '#') result += '\\';
        if (c == '$') result += '$';
        result += c;
    }
    return result;
}

} // namespace

std::string compose_depfile(const std::string& target, const std::vector<std::string>& dependencies)
{
    std::string text = escaped(target) + ":";
    for (const std::string& dependency : dependencies) text += " \\\n  " + escaped(dependency);
    return text + "\n";
}

} // namespace builder
