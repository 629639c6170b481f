// Version of the uninstaller, fed into its version resource.
#pragma once

#define UNINSTALL_VERSION_NUMBERS 10, 0, 0, 0
#define UNINSTALL_VERSION_TEXT "10.0.0.0"
#define UNINSTALL_PRODUCT_NAME "Zelmor Income Tax 2010"
#define UNINSTALL_COMPANY "Zelmor Graphics"
