#include "Dialog1b.h"

#include "header_texts.h"
#include "setup_resource.h"
#include "trace.h"

LicensePage::LicensePage(const WizardContext& context) : SetupPage(context, IDD_LICENSE) {}

void LicensePage::initialise()
{
    TRACE_POINT();
    begin_page(license_header_rtf);
    RECT band = control_rect(window(), IDC_HEADER_WHITE);
    RECT box = control_rect(window(), IDC_AGREE);
    RECT client{};
    GetClientRect(window(), &client);
    show_rich_text(window(), context().instance, RECT{0, band.bottom, client.right, box.top},
                   description().license_text);
    show_agreement();
    if (description().show_welcome_page == 0) hide_control(window(), IDC_BACK);
}

void LicensePage::show_agreement()
{
    CheckDlgButton(window(), IDC_AGREE, agreed_ ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(window(), IDOK), agreed_ ? TRUE : FALSE);
}

void LicensePage::own_command(int id, int notification)
{
    if (id != IDC_AGREE || notification != BN_CLICKED) return;
    TRACE_POINT();
    agreed_ = IsDlgButtonChecked(window(), IDC_AGREE) == BST_CHECKED ? 1 : 0;
    EnableWindow(GetDlgItem(window(), IDOK), agreed_ ? TRUE : FALSE);
}
