// Unpacking: the package container behind the setup program's own image is found, checked,
// inflated and handed to the setup description reader.
#pragma once

#include "setup_description.h"

#include <windows.h>

// True when the description was read; its package_data then holds the inflated package. False
// when unpacking failed: the user has been told, except when the file carries no container.
bool unpack_package(HINSTANCE instance, SetupDescription& description);
