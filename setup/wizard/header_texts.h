// The formatted texts of the pages' header bands.
#pragma once

extern const char license_header_rtf[];
extern const char users_header_rtf[];
extern const char destination_header_rtf[];
extern const char preferences_header_rtf[];
extern const char summary_header_rtf[];
