// setup_builder: makes a setup program file from a manifest, the bare setup program image and
// the files the manifest names, and lists what a setup file holds.
#include "build_error.h"
#include "command_line.h"
#include "container_writer.h"
#include "depfile.h"
#include "description_writer.h"
#include "file_io.h"
#include "manifest.h"
#include "setup_file_listing.h"
#include "source_loader.h"
#include "time_stamp.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <variant>

using namespace builder;

namespace {

// Runs one stage whose problems are about `file`, so that every message names its file.
template <class Stage>
auto about(const std::string& file, Stage stage)
{
    try {
        return stage();
    } catch (const BuildError& error) {
        std::string place = error.line() > 0 ? file + ":" + std::to_string(error.line()) : file;
        throw BuildError(place + ": " + error.what());
    } catch (const std::length_error& error) {
        throw BuildError(file + ": " + error.what());
    } catch (const std::invalid_argument& error) {
        throw BuildError(file + ": " + error.what());
    }
}

std::optional<std::uint64_t> source_date_epoch()
{
    const char* value = std::getenv("SOURCE_DATE_EPOCH");
    if (!value) return std::nullopt;
    return parse_source_date_epoch(value);
}

void refuse_overwriting(const std::string& output, const std::string& input)
{
    std::error_code error;
    if (std::filesystem::equivalent(output, input, error))
        throw BuildError(output + ": the output would replace an input of the build");
}

std::string absolute_path(const std::filesystem::path& path)
{
    return std::filesystem::absolute(path).lexically_normal().string();
}

void build(const BuildCommand& command)
{
    refuse_overwriting(command.output, command.manifest);
    refuse_overwriting(command.output, command.stub);
    std::optional<std::uint64_t> epoch = source_date_epoch();
    std::filesystem::path base = std::filesystem::path(command.manifest).parent_path();

    Bytes manifest_text = read_whole_file(command.manifest);
    Manifest manifest = about(command.manifest, [&] {
        return parse_manifest(std::string_view(reinterpret_cast<const char*>(manifest_text.data()),
                                               manifest_text.size()),
                              command.defines);
    });
    Bytes package = about(command.manifest, [&] { return write_package(load_sources(manifest, base, epoch)); });
    Bytes stub = read_whole_file(command.stub);
    Bytes setup = about(command.stub, [&] { return write_container(stub, package); });
    // The manifest's checks are the setup program's rules; reading the result back with the setup
    // program's own code makes sure that no rule was missed before the output is kept.
    if (std::optional<std::string> problem = setup_file_problem(setup))
        throw BuildError(command.manifest + ": the setup program would refuse the package built from it: " + *problem);

    write_file_atomically(command.output, setup, FileKind::program);
    if (command.depfile) {
        std::vector<std::string> inputs{absolute_path(command.manifest), absolute_path(command.stub)};
        for (const SourceRef& source : manifest_sources(manifest)) inputs.push_back(absolute_path(base / source.path));
        std::string text = compose_depfile(absolute_path(command.output), inputs);
        write_file_atomically(*command.depfile, Bytes(text.begin(), text.end()), FileKind::data);
    }
}

int run(const BuildCommand& command)
{
    try {
        build(command);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "setup_builder: " << error.what() << "\n";
    }
    return 1;
}

// The listing goes to standard output as far as it got; the reason it stopped to standard error.
int run(const ListCommand& command)
{
    try {
        SetupFileListing listing = list_setup_file(read_whole_file(command.setup_file));
        std::cout << listing.text << std::flush;
        if (!listing.error) return 0;
        std::cerr << "setup_builder: " << command.setup_file << ": " << *listing.error << "\n";
    } catch (const std::exception& error) {
        std::cerr << "setup_builder: " << error.what() << "\n";
    }
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::cout << usage_text;
        return 0;
    }
    Command command;
    try {
        command = parse_command(arguments);
    } catch (const BuildError& error) {
        std::cerr << "setup_builder: " << error.what() << "\n" << usage_text;
        return 2;
    }
    return std::visit([](const auto& chosen) { return run(chosen); }, command);
}
