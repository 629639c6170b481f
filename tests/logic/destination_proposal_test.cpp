#include "destination_proposal.h"
#include "setup_description.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ProposalFolders sample_folders()
{
    ProposalFolders folders;
    folders.program_files = "C:\\Program Files";
    folders.documents = "C:\\Users\\alice\\Documents";
    folders.common_documents = "C:\\Users\\Public\\Documents";
    folders.desktop_directory = "C:\\Users\\alice\\Desktop";
    folders.common_desktop = "C:\\Users\\Public\\Desktop";
    folders.setup_directory = "D:\\Setup";
    return folders;
}

std::string propose(const std::string& location, std::uint8_t install_for, const ProposalFolders& folders)
{
    SetupDescription d;
    d.default_location = location;
    d.directory_name = "Zeltax";
    return propose_destination(d, install_for, folders);
}

TEST(DestinationProposal, EveryDefaultLocationForBothChoices)
{
    struct Case {
        const char* location;
        std::uint8_t install_for;
        const char* proposal;
    } cases[] = {
        {"<BLANK>", 1, ""},
        {"<BLANK>", 0, ""},
        {"<Program Files>", 1, "C:\\Program Files\\Zeltax"},
        {"<Program Files>", 0, "C:\\Program Files\\Zeltax"},
        {"<Documents and Settings>", 1, "C:\\Users\\alice\\Documents\\Zeltax"},
        {"<Documents and Settings>", 0, "C:\\Users\\Public\\Documents\\Zeltax"},
        {"<Desktop>", 1, "C:\\Users\\alice\\Desktop\\Zeltax"},
        {"<Desktop>", 0, "C:\\Users\\Public\\Desktop\\Zeltax"},
        {"<Desktop>", 2, "C:\\Users\\Public\\Desktop\\Zeltax"},
        {"<Root Drive>", 1, "D:\\Zeltax"},
        {"<Root Drive>", 0, "D:\\Zeltax"},
        {"E:\\Tools", 1, "E:\\Tools\\Zeltax"},
        {"E:\\Tools", 0, "E:\\Tools\\Zeltax"},
        // Placeholders are matched exactly; anything else is taken as written.
        {"<program files>", 1, "<program files>\\Zeltax"},
        {"<BLANK> ", 1, "<BLANK> \\Zeltax"},
        {"", 1, "\\Zeltax"},
    };
    const ProposalFolders folders = sample_folders();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.location << " for " << int(c.install_for));
        EXPECT_EQ(propose(c.location, c.install_for, folders), c.proposal);
    }
}

TEST(DestinationProposal, RootDriveOfTheSetupDirectory)
{
    struct Case {
        const char* setup_directory;
        const char* proposal;
    } cases[] = {
        {"D:\\Setup", "D:\\Zeltax"},
        {"D:\\Setup\\Disk1", "D:\\Zeltax"},
        {"D:\\", "D:\\Zeltax"},
        {"D:", "D:\\Zeltax"},
        {"\\\\server\\share\\setup\\disk1", "\\\\server\\share\\Zeltax"},
        {"\\\\server\\share", "\\\\server\\share\\Zeltax"},
        {"//server/share/setup", "//server/share\\Zeltax"},
        {"\\\\server", "\\\\server\\Zeltax"},
        {"", "\\Zeltax"},
    };
    ProposalFolders folders = sample_folders();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setup_directory);
        folders.setup_directory = c.setup_directory;
        EXPECT_EQ(propose("<Root Drive>", 1, folders), c.proposal);
    }
}

TEST(DestinationProposal, NextStoresTheTypedTextWithoutTrailingSeparators)
{
    struct Case {
        std::string typed;
        std::string stored;
    } cases[] = {
        {"C:\\Apps\\Tool", "C:\\Apps\\Tool"},
        {"C:\\Apps\\Tool\\\\", "C:\\Apps\\Tool"},
        {"C:\\Apps/\\/", "C:\\Apps"},
        {"C:\\", "C:"},
        {"C:\\\\\\", "C:"},
        {"\\\\server\\share\\Tool\\", "\\\\server\\share\\Tool"},
        {"\\\\server\\share\\", "\\\\server\\share"},
        // Only what the edit hands over is stored; a separator at its end still goes.
        {"C:\\" + std::string(5000, 'a'), "C:\\" + std::string(4091, 'a')},
        {"C:\\" + std::string(4090, 'a') + "\\b", "C:\\" + std::string(4090, 'a')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.substr(0, 20));
        DestinationEntry entry = destination_entry(c.typed);
        EXPECT_EQ(entry.refusal, nullptr);
        EXPECT_EQ(entry.directory, c.stored);
    }
}

TEST(DestinationProposal, NextRefusesAnEmptyTextAndOneThatIsNotAFullPath)
{
    struct Case {
        std::string typed;
        const char* refusal;
    } cases[] = {
        {"", destination_missing_message},
        {"Apps\\Tool", destination_not_full_message},
        {"C:Tool", destination_not_full_message},
        {"\\Tool", destination_not_full_message},
        {"C:", destination_not_full_message},
        {"\\\\server\\share", destination_not_full_message},
        {"\\", destination_not_full_message},
        {"/", destination_not_full_message},
        {" ", destination_not_full_message},
        // Decided on the text as typed: its trailing separators make these full paths.
        {"C:\\", nullptr},
        {"\\\\server\\share\\", nullptr},
        {"C:\\Tool", nullptr},
        {"\\\\server\\share\\Tool", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        DestinationEntry entry = destination_entry(c.typed);
        EXPECT_EQ(entry.refusal, c.refusal);
        if (c.refusal) {
            EXPECT_EQ(entry.directory, "");
        }
    }
    EXPECT_STREQ(destination_missing_message, "The Destination directory must be entered.");
    EXPECT_STREQ(destination_not_full_message, "The Destination directory must be a full path, such as "
                                               "C:\\Program Files\\Example or \\\\server\\share\\Example.");
}

} // namespace
