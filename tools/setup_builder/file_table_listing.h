// The listing of the setup description's file table.
#pragma once

#include "Configure.h"
#include "listing_lines.h"

#include <vector>

namespace builder {

// One block per entry, numbered from 0, with every field of the entry: the texts quoted, the
// flags as stored, and the time stamp's halves with the time they make.
void list_file_table(const std::vector<::FileEntry>& files, ListingLines& lines);

} // namespace builder
