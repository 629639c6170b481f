#include "Dialog6.h"

#include "free_disk_space.h"
#include "header_texts.h"
#include "path_text.h"
#include "setup_resource.h"
#include "summary_text.h"
#include "trace.h"

SummaryPage::SummaryPage(const WizardContext& context) : SetupPage(context, IDD_SUMMARY) {}

// The text is rebuilt at every showing, and the free space measured anew.
void SummaryPage::initialise()
{
    TRACE_POINT();
    begin_page(summary_header_rtf);
    std::uint64_t free_bytes = free_disk_space(path_root(state_.directory));
    SetDlgItemTextA(window(), IDC_SUMMARY_TEXT, summary_text(description(), state_, free_bytes).c_str());
}
