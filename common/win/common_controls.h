// The common controls (progress bars and the other classes of comctl32.dll) for a program that
// does not import comctl32.dll at load time: the library is not one that Windows always takes
// from the system directory, so an import would load a file of that name beside the program.
#pragma once

#include "scoped_library.h"

// Loads comctl32.dll of the system directory by its full path and registers its window classes
// (InitCommonControlsEx with the classes InitCommonControls registers, or InitCommonControls
// where the library lacks it). The caller keeps the result for as long as it has windows; empty
// when the library cannot be loaded.
ScopedLibrary load_common_controls();
