// The file and path utilities that setup.exe and uninstall.exe share, in one include.
#pragma once

#include "directories.h"
#include "path_text.h"
#include "text_lines.h"
#include "whole_file.h"
