// The setup program and the package builder refuse the same texts and pictures: each value below
// is put into a package laid out byte by byte, which the setup program's reader must refuse,
// and into a manifest, which the builder must refuse at the line that holds it. The builder
// also reads every setup file back with the reader before keeping it.
#include "Configure.h"
#include "build_error.h"
#include "container_writer.h"
#include "description_writer.h"
#include "manifest.h"
#include "sample_package.h"
#include "setup_builder_fixture.h"
#include "setup_file_listing.h"
#include "source_loader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes stub = {'M', 'Z', 0x90, 0x00};

// Every field under test comes from a define, so that any byte can reach it.
const std::string manifest_template =
    "format_marker = 1\n"                                           // 1
    "show_welcome_page = 1\n"                                       // 2
    "directory_name = ${directory_name}\n"                          // 3
    "default_location = ${default_location}\n"                      // 4
    "create_program_group = ${create_program_group}\n"              // 5
    "program_group_name = ${program_group_name}\n"                  // 6
    "make_uninstall = 1\n"                                          // 7
    "show_license_page = 0\n"                                       // 8
    "recommend_reboot = 0\n"                                        // 9
    "allow_windows_95 = 1\nallow_windows_98 = 1\nallow_windows_me = 1\nallow_windows_nt351 = 1\n"  // 10-13
    "allow_windows_nt4 = 1\nallow_windows_2000 = 1\nallow_windows_xp = 1\n"                      // 14-16
    "allow_windows_server_2003 = 1\nallow_windows_vista = 1\nrequire_ie5 = 0\n"                  // 17-19
    "page_picture_file = page.bmp\n"                                // 20
    "welcome_picture_file = welcome.bmp\n"                          // 21
    "[file]\n"                                                      // 22
    "name = uninstall.exe\n"                                        // 23
    "source = a.exe\n"                                              // 24
    "shortcut_name = Uninstall Tool\n"                              // 25
    "target_folder = 3\n"                                           // 26
    "group_shortcut = 1\n"                                          // 27
    "[file]\n"                                                      // 28
    "name = ${name}\n"                                              // 29
    "source = a.exe\n"                                              // 30
    "shortcut_name = ${shortcut_name}\n"                            // 31
    "subdirectory = ${subdirectory}\n"                              // 32
    "use_subdirectory = 1\n"                                        // 33
    "target_folder = 3\n"                                           // 34
    "group_shortcut = 1\n"                                          // 35
    "desktop_shortcut = 1\n"                                        // 36
    "[extension]\n"                                                 // 37
    "extension = ${extension}\n"                                    // 38
    "program = tool.exe\n"                                          // 39
    "[value]\n"                                                     // 40
    "key_path = HKEY_CURRENT_USER\\${key_name}\n"                   // 41
    "name = ${value_name}\n"                                        // 42
    "type = STRING\n"                                               // 43
    "data = text\n";                                                // 44

// The accepted value of every field, in the manifest's defines and in the package alike.
builder::Defines accepted_values()
{
    return {{"directory_name", "Tool"},         {"default_location", "<Program Files>"},
            {"create_program_group", "1"},      {"program_group_name", "Vendor\\Tool"},
            {"name", "tool.exe"},               {"shortcut_name", "Tool\\Box "},
            {"subdirectory", "bin\\x86"},       {"extension", ".tbx"},
            {"key_name", "Software"},           {"value_name", "Version"}};
}

// The package the manifest describes, laid out with the test's own writer.
SamplePackage package_of(const builder::Defines& values, const Bytes& page, const Bytes& welcome)
{
    SamplePackage p;
    p.directory_name = values.at("directory_name");
    p.default_location = values.at("default_location");
    p.create_program_group = values.at("create_program_group") == "1" ? 1 : 0;
    p.program_group_name = values.at("program_group_name");
    SampleFile uninstall = sample_file("uninstall.exe", "Uninstall Tool", "MZ");
    uninstall.flags = {0, 1, 0, 0, 0, 0, 0};
    SampleFile tool = sample_file(values.at("name"), values.at("shortcut_name"), "MZ");
    tool.subdirectory = values.at("subdirectory");
    tool.flags = {0, 1, 1, 1, 0, 0, 0};
    p.files = {uninstall, tool};
    p.extensions = {{values.at("extension"), 0}};
    p.registry_section =
        registry_section_with_value("HKEY_CURRENT_USER", values.at("key_name"), values.at("value_name"));
    p.page_picture = page;
    p.welcome_picture = welcome;
    return p;
}

struct Outcome {
    bool reader_takes_package = false;
    int builder_refusal_line = 0;  // 0: built
    std::string builder_message;
    std::optional<std::string> read_back_problem;
};

class PackageRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.write("a.exe", "MZ");
        write_pictures(make_bmp(2, 2, 24), make_bmp(3, -2, 8));
    }

    void write_pictures(const Bytes& page, const Bytes& welcome) const
    {
        dir.write("page.bmp", std::string(page.begin(), page.end()));
        dir.write("welcome.bmp", std::string(welcome.begin(), welcome.end()));
    }

    Outcome judge(const builder::Defines& values, const Bytes& page = make_bmp(2, 2, 24),
                  const Bytes& welcome = make_bmp(3, -2, 8)) const
    {
        Outcome outcome;
        SetupDescription read;
        outcome.reader_takes_package = read_setup_description(package_of(values, page, welcome).compose(), read);
        write_pictures(page, welcome);
        try {
            builder::Manifest manifest = builder::parse_manifest(manifest_template, values);
            Bytes setup = builder::write_container(stub, builder::write_package(load_sources(manifest, dir.path(), 0)));
            outcome.read_back_problem = builder::setup_file_problem(setup);
        } catch (const BuildError& error) {
            outcome.builder_refusal_line = error.line();
            outcome.builder_message = error.what();
        }
        return outcome;
    }

    TemporaryDirectory dir;
};

TEST_F(PackageRules, TheAcceptedValuesPassBothAndTheBuiltFileReadsBack)
{
    Outcome outcome = judge(accepted_values());
    EXPECT_TRUE(outcome.reader_takes_package);
    EXPECT_EQ(outcome.builder_refusal_line, 0) << outcome.builder_message;
    EXPECT_EQ(outcome.read_back_problem, std::nullopt);

    // Edges that both take: no group and no name, one-letter extension, the default value.
    builder::Defines edges = accepted_values();
    edges["create_program_group"] = "0";
    edges["program_group_name"] = "";
    edges["extension"] = ".t";
    edges["value_name"] = "";
    edges["shortcut_name"] = "..\\..\\Tool";
    Outcome edge_outcome = judge(edges);
    EXPECT_TRUE(edge_outcome.reader_takes_package);
    EXPECT_EQ(edge_outcome.builder_refusal_line, 0) << edge_outcome.builder_message;
}

TEST_F(PackageRules, EveryValueTheReaderRefusesTheBuilderRefusesAtItsLine)
{
    struct Case {
        const char* field;
        std::string value;
        int line;
    } cases[] = {
        {"name", "tool?.exe", 29},
        {"name", "tool.exe\r\nFile Created", 29},
        {"name", ". .", 29},
        {"shortcut_name", "../../Startup/Tool", 31},
        {"shortcut_name", "C:Tool", 31},
        {"shortcut_name", "Tool|Box", 31},
        {"shortcut_name", "Tool\r\nFile Created", 31},
        {"subdirectory", "bin\\a<b", 32},
        {"subdirectory", "bin\\..\\..\\..", 32},
        {"subdirectory", "bin\r", 32},
        {"program_group_name", "..\\..\\Startup", 6},
        {"program_group_name", "Vendor/Tool", 6},
        {"program_group_name", "C:\\Tool", 6},
        {"program_group_name", "Vendor\\", 6},
        {"program_group_name", "", 6},
        {"program_group_name", "Tool\nDescription", 6},
        {"directory_name", "Tool\n", 3},
        {"default_location", "C:\\Apps\t", 4},
        {"extension", "", 38},
        {"extension", ".", 38},
        {"extension", "tbx", 38},
        {"extension", ".tbx\\shell", 38},
        {"extension", ".tbx/shell", 38},
        {"extension", ".tbx\n", 38},
        {"key_name", "Soft\r\nware", 41},
        {"value_name", "Sub\\Version", 42},
        {"value_name", "Version\r\nRegistry Value Created", 42},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " = " + c.value);
        builder::Defines values = accepted_values();
        values[c.field] = c.value;
        Outcome outcome = judge(values);
        EXPECT_FALSE(outcome.reader_takes_package);
        EXPECT_EQ(outcome.builder_refusal_line, c.line) << outcome.builder_message;
    }
}

TEST_F(PackageRules, ThePicturesTheReaderRefusesTheBuilderRefusesAtTheirLines)
{
    auto changed = [](Bytes image, std::size_t at, std::uint8_t value) {
        image[at] = value;
        return image;
    };
    Bytes good = make_bmp(2, 2, 24);
    struct Case {
        const char* what;
        Bytes image;
    } cases[] = {
        {"no width", changed(good, 18, 0)},
        {"two planes", changed(good, 26, 2)},
        {"7 bits per pixel", changed(good, 28, 7)},
        {"run-length compressed", changed(good, 30, 1)},
        {"rows past the end", Bytes(good.begin(), good.end() - 1)},
        {"pixel bits inside the info header", changed(good, 10, 40)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Outcome page = judge(accepted_values(), c.image, good);
        EXPECT_FALSE(page.reader_takes_package);
        EXPECT_EQ(page.builder_refusal_line, 20) << page.builder_message;
        Outcome welcome = judge(accepted_values(), good, c.image);
        EXPECT_FALSE(welcome.reader_takes_package);
        EXPECT_EQ(welcome.builder_refusal_line, 21) << welcome.builder_message;
    }
}

// What the manifest's checks would let through is still caught when the file is read back: a
// description handed straight to the writer, past every manifest check.
TEST_F(PackageRules, ReadingBackFindsWhatTheSetupProgramWouldRefuse)
{
    builder::Manifest manifest = builder::parse_manifest(manifest_template, accepted_values());
    builder::SetupDescription d = load_sources(manifest, dir.path(), 0);
    ASSERT_EQ(builder::setup_file_problem(builder::write_container(stub, builder::write_package(d))), std::nullopt);

    std::vector<std::function<void(builder::SetupDescription&)>> damages = {
        [](builder::SetupDescription& d) { d.program_group_name = "..\\..\\Startup"; },
        [](builder::SetupDescription& d) { d.files[1].shortcut_name = "../Tool"; },
        [](builder::SetupDescription& d) { d.extensions[0].extension = ""; },
        [](builder::SetupDescription& d) { d.registry_keys[0].children[0].values[0].value_name = "a\\b"; },
        [](builder::SetupDescription& d) { d.page_bitmap[28] = 7; },
    };
    for (std::size_t i = 0; i < damages.size(); ++i) {
        SCOPED_TRACE(i);
        builder::SetupDescription damaged = d;
        damages[i](damaged);
        EXPECT_EQ(builder::setup_file_problem(builder::write_container(stub, builder::write_package(damaged))),
                  "the setup description is damaged: the setup program refuses the package");
    }
}

} // namespace
