#include "command_line.h"

#include "build_error.h"

namespace builder {

namespace {

void set_once(std::optional<std::string>& slot, const std::string& option, const std::string& value)
{
    if (slot) throw BuildError(option + " is given twice");
    slot = value;
}

} // namespace

BuildCommand parse_build_command(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || arguments[0] != "build")
        throw BuildError(arguments.empty() ? "no command given" : "unknown command \"" + arguments[0] + "\"");

    BuildCommand command;
    std::optional<std::string> manifest, stub, output;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!argument.starts_with("--")) {
            set_once(manifest, "the manifest", argument);
            continue;
        }
        if (i + 1 == arguments.size()) throw BuildError(argument + " needs a value");
        const std::string& value = arguments[++i];
        if (argument == "--stub")
            set_once(stub, argument, value);
        else if (argument == "--output")
            set_once(output, argument, value);
        else if (argument == "--depfile")
            set_once(command.depfile, argument, value);
        else if (argument == "--define")
            add_define(command.defines, value);
        else
            throw BuildError("unknown option " + argument);
    }
    if (!manifest) throw BuildError("no manifest given");
    if (!stub) throw BuildError("--stub is missing");
    if (!output) throw BuildError("--output is missing");
    command.manifest = *manifest;
    command.stub = *stub;
    command.output = *output;
    return command;
}

} // namespace builder
