#include "command_line.h"

#include "build_error.h"

namespace builder {

namespace {

void set_once(std::optional<std::string>& slot, const std::string& option, const std::string& value)
{
    if (slot) throw BuildError(option + " is given twice");
    slot = value;
}

// arguments[0] is the command word.
BuildCommand parse_build_command(const std::vector<std::string>& arguments)
{
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

ListCommand parse_list_command(const std::vector<std::string>& arguments)
{
    std::optional<std::string> setup_file;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i].starts_with("--")) throw BuildError("unknown option " + arguments[i]);
        set_once(setup_file, "the setup file", arguments[i]);
    }
    if (!setup_file) throw BuildError("no setup file given");
    return ListCommand{*setup_file};
}

} // namespace

Command parse_command(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) throw BuildError("no command given");
    if (arguments[0] == "build") return parse_build_command(arguments);
    if (arguments[0] == "list") return parse_list_command(arguments);
    throw BuildError("unknown command \"" + arguments[0] + "\"");
}

} // namespace builder
