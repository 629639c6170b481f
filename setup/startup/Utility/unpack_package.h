// Unpacking: the package container behind the setup program's own image is found, checked and
// inflated into the package buffer, which the caller owns for the run and reads the setup
// description from.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// True when `package` holds the inflated package. False when unpacking failed: the user has been
// told, except when the file carries no container. `package` is allocated before the inflation
// and stays the caller's whatever the outcome.
bool unpack_package(HINSTANCE instance, std::vector<std::uint8_t>& package);

// Tells the user that the setup file is corrupt, as unpacking does for damaged bytes: for a
// package that the setup description reader refuses.
void report_corrupt_package();
