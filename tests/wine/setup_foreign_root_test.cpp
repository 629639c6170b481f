// A package whose registry section names a root that the setup program does not know,
// HKEY_CURRENT_CONFIG: the installation writes that root's value and keys below the current user
// and logs them there, so that the uninstaller, which reads the log, takes them back.
#include "install_checks.h"
#include "package_format.h"
#include "setup_pages.h"
#include "setup_resource.h"
#include "test_environment.h"
#include "ui_driver.h"
#include "uninstall_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char root_value_name[] = "Zelmor Foreign Root Test";
constexpr char section_key[] = "Software\\Zelmor Foreign Root Test";
constexpr char uninstall_keys[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The package's one root node renamed from HKEY_LOCAL_MACHINE to HKEY_CURRENT_CONFIG, which the
// package builder refuses to write. Both names take 20 bytes, so nothing else moves.
bool rename_root_node(std::string& package)
{
    using namespace package_format;
    const std::string from = package_text(root_record) + package_text(local_machine_name);
    const std::string to = package_text(root_record) + package_text("HKEY_CURRENT_CONFIG");
    std::size_t section = package.find(package_text(registry_section_start));
    std::size_t node = section == std::string::npos ? std::string::npos : package.find(from, section);
    if (node == std::string::npos || from.size() != to.size()) {
        ADD_FAILURE() << "the package has no HKEY_LOCAL_MACHINE root node to rename";
        return false;
    }
    package.replace(node, from.size(), to);
    return true;
}

bool has_value(HKEY root, const std::string& key, const std::string& name)
{
    return registry_value(root, key, name).has_value();
}

class ForeignRoot : public ::testing::Test {
protected:
    void SetUp() override { remove_traces(); }
    void TearDown() override { remove_traces(); }

    // Also where the package would have written without the renaming.
    void remove_traces()
    {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_CURRENT_CONFIG}) {
            RegDeleteValueA(root, root_value_name);
            delete_registry_tree(root, section_key);
        }
        delete_registry_tree(HKEY_LOCAL_MACHINE, uninstall_key());
    }

    std::string last_component() const { return destination.substr(destination.rfind('\\') + 1); }
    std::string uninstall_key() const { return uninstall_keys + last_component(); }

    ScratchDirectory dir;
    // A name of its own, so that its uninstall key is too.
    std::string destination = dir.file("Foreign Root " + std::to_string(GetTickCount()));
};

TEST_F(ForeignRoot, IsWrittenAndLoggedBelowTheCurrentUserAndTheUninstallerTakesItBack)
{
    WizardRun wizard("foreign_root", rename_root_node);
    ASSERT_TRUE(wizard.walk_to(SetupPage::destination));
    ui::set_text(ui::control(wizard.page(), IDC_DESTINATION), destination);
    ASSERT_TRUE(wizard.walk_to(SetupPage::summary));
    HWND page = wizard.install();
    ASSERT_TRUE(page);
    ASSERT_TRUE(wait_for_completion(page));
    EXPECT_FALSE(ui::find_message_box(wizard.id()));
    ui::click(ui::control(page, IDCANCEL));
    ASSERT_EQ(wizard.program().wait_exit(), 0u);

    std::optional<RegistryData> at_root = registry_value(HKEY_CURRENT_USER, "", root_value_name);
    ASSERT_TRUE(at_root);
    EXPECT_EQ(at_root->bytes.c_str(), std::string("at the root"));
    EXPECT_TRUE(has_value(HKEY_CURRENT_USER, section_key, "Number"));
    EXPECT_FALSE(has_value(HKEY_CURRENT_CONFIG, "", root_value_name));
    EXPECT_FALSE(has_value(HKEY_LOCAL_MACHINE, "", root_value_name));

    const std::string user = "HKEY_CURRENT_USER\\";
    const std::vector<std::string> expected_log = {
        "Directory Created", destination,
        "File Created", destination + "\\Install_Log.txt",
        "Description", last_component(),
        "File Created", destination + "\\uninstall.exe",
        "File Created", destination + "\\readme.txt",
        "Registry Entry Created", "HKEY_LOCAL_MACHINE\\" + uninstall_key(),
        "Registry Value Created", user + root_value_name,
        "Registry Entry Created", user + section_key,
        "Registry Value Created", user + section_key + "\\Number",
    };
    EXPECT_TRUE(same_lines(expected_log, crlf_lines(read_file(destination + "\\Install_Log.txt"))));

    // As the system runs the uninstall entry.
    std::optional<RegistryData> command = registry_value(HKEY_LOCAL_MACHINE, uninstall_key(), "UninstallString");
    ASSERT_TRUE(command);
    ScratchDirectory temporary;
    UninstallerRun run(command->bytes.c_str(), temporary.path());
    ASSERT_TRUE(uninstall_to_the_end(run, "Uninstall " + last_component()));
    EXPECT_FALSE(has_value(HKEY_CURRENT_USER, "", root_value_name));
    EXPECT_FALSE(registry_key_exists(HKEY_CURRENT_USER, section_key));
    EXPECT_FALSE(registry_key_exists(HKEY_LOCAL_MACHINE, uninstall_key()));
    EXPECT_EQ(GetFileAttributesA(destination.c_str()), INVALID_FILE_ATTRIBUTES) << "the destination is left";
}

} // namespace
