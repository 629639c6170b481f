// Resource identifiers of uninstall.exe.
#pragma once

#define IDI_UNINSTALL 201

// The two pages' templates.
#define IDD_UNINSTALL 101
#define IDD_UNINSTALL_PROGRESS 103

// Controls. IDOK is Uninstall on the first page, IDCANCEL Cancel there and Exit on the progress
// page.
#define IDC_DETAILS 3
#define IDC_TEXT 202
#define IDC_PROGRESS_BAR 204
#define IDC_PROGRESS_DETAILS 206
#define IDC_SEPARATOR 207
// The header band reaches down to this control's bottom edge.
#define IDC_HEADER_BOTTOM 208
