// Resource identifiers of setup.exe.
#pragma once

#define IDI_SETUP 205

#define IDD_PROGRESS 951
#define IDC_PROGRESS_BAR 990

// The wizard pages' templates.
#define IDD_WELCOME 101
#define IDD_DESTINATION 102
#define IDD_PREFERENCES 103
#define IDD_SUMMARY 107
#define IDD_INSTALL 108
#define IDD_LICENSE 109
#define IDD_USERS 240

// Controls every page has (IDOK is Next or Install, IDCANCEL Cancel).
#define IDC_BACK 204
#define IDC_PAGE_PICTURE 216
#define IDC_SEPARATOR 236
#define IDC_HEADER_WHITE 239

// The pages' own controls.
#define IDC_WELCOME_PICTURE 235
#define IDC_AGREE 202
#define IDC_USERS_GROUP 238
#define IDC_ONLY_YOU 210
#define IDC_ALL_USERS 211
#define IDC_DESTINATION 203
#define IDC_BROWSE 206
#define IDC_DESKTOP_ICON 202
#define IDC_PROGRAM_GROUP 207
#define IDC_ASSOCIATE 237
#define IDC_START_AT_LOGIN 209
#define IDC_SUMMARY_TEXT 203

// The installation page's own controls (IDCANCEL is its Exit button).
#define IDC_START_APPLICATION 202
#define IDC_INSTALL_COMPLETE 203
#define IDC_INSTALL_PROGRESS 213
