// Owner of a shell item list (a folder location), given back with CoTaskMemFree.
#pragma once

#include "scoped_resource.h"

#include <objbase.h>
#include <shlobj.h>

struct ItemListTraits {
    using Value = LPITEMIDLIST;
    static Value none() noexcept { return nullptr; }
    static bool is_none(Value list) noexcept { return list == nullptr; }
    static void close(Value list) noexcept { CoTaskMemFree(list); }
};

using ScopedItemList = ScopedResource<ItemListTraits>;
