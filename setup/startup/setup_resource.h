// Resource identifiers of setup.exe.
#pragma once

#define IDI_SETUP 205

#define IDD_PROGRESS 951
#define IDC_PROGRESS_BAR 990
