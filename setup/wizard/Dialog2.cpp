#include "Dialog2.h"

#include "destination_proposal.h"
#include "header_texts.h"
#include "scoped_item_list.h"
#include "setup_resource.h"
#include "trace.h"

#include <shlobj.h>

#include <cstring>
#include <utility>

namespace {

constexpr char data_entry_title[] = "Data Entry Problem";
constexpr char browser_title[] = "Installation destination directory";
// WM_GETTEXT's limit, the terminating NUL included.
constexpr int typed_text_limit = 4095;

ProposalFolders proposal_folders(const WizardContext& context)
{
    ProposalFolders folders;
    folders.program_files = context.folders->program_files;
    folders.documents = context.folders->documents;
    folders.common_documents = context.folders->common_documents;
    folders.desktop_directory = context.folders->desktop_directory;
    folders.common_desktop = context.folders->common_desktop;
    folders.setup_directory = context.setup_directory;
    return folders;
}

} // namespace

DestinationPage::DestinationPage(const WizardContext& context, InstallFor& install_for)
    : SetupPage(context, IDD_DESTINATION), install_for_(install_for)
{
}

void DestinationPage::initialise()
{
    TRACE_POINT();
    begin_page(destination_header_rtf);
    propose_when_due();
    SetDlgItemTextA(window(), IDC_DESTINATION, directory_.c_str());
    if (description().show_welcome_page == 0 && description().show_license_page == 0 && !context().show_users_page)
        hide_control(window(), IDC_BACK);
}

// A proposal the first time, and again when the users page changed who the program is for;
// otherwise the directory of the last Next stays.
void DestinationPage::propose_when_due()
{
    if (!directory_.empty() && !install_for_.changed) return;
    install_for_.changed = false;
    directory_ = propose_destination(description(), install_for_.choice, proposal_folders(context()));
}

std::string DestinationPage::typed_text() const
{
    std::string text(typed_text_limit, '\0');
    UINT length = GetDlgItemTextA(window(), IDC_DESTINATION, text.data(), typed_text_limit);
    text.resize(length);
    return text;
}

void DestinationPage::next()
{
    TRACE_POINT();
    DestinationEntry entry = destination_entry(typed_text());
    if (entry.refusal) {
        MessageBoxA(window(), entry.refusal, data_entry_title, MB_OK | MB_ICONINFORMATION);
        SetFocus(GetDlgItem(window(), IDC_DESTINATION));
        return;
    }
    directory_ = std::move(entry.directory);
    end_page(result_next);
}

void DestinationPage::own_command(int id, int notification)
{
    if (id == IDC_BROWSE && notification == BN_CLICKED) browse();
}

// The browser has no owner, so the page stays usable while it is open; one browser at a time.
void DestinationPage::browse()
{
    if (browse_open_) return;
    TRACE_POINT();
    browse_open_ = true;
    BROWSEINFOA info{};
    info.lpszTitle = browser_title;
    info.ulFlags = BIF_NEWDIALOGSTYLE;
    ScopedItemList picked(SHBrowseForFolderA(&info));
    std::string path(MAX_PATH + 1, '\0');
    // The page may have ended while the browser was open.
    if (picked.valid() && SHGetPathFromIDListA(picked.get(), path.data()) && window()) {
        path.resize(std::strlen(path.c_str()));
        SetDlgItemTextA(window(), IDC_DESTINATION, (path + "\\" + description().directory_name).c_str());
    }
    browse_open_ = false;
}
