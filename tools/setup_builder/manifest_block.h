// A manifest as blocks: the settings before the first section, then one block per section,
// each read through typed accessors that name the line of any problem.
#pragma once

#include "defines.h"
#include "manifest.h"
#include "manifest_lines.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace builder {

struct Setting {
    std::string key;
    std::string value;  // ${NAME} already replaced
    int line = 0;
};

struct ManifestBlock {
    std::string section;  // empty for the settings before the first section
    int line = 0;         // the section header; for the leading settings, where they end
    std::vector<Setting> settings;
};

// The first block is always the leading settings. Throws BuildError for a key given twice in
// one block or a failed substitution.
std::vector<ManifestBlock> group_manifest_blocks(const std::vector<ManifestLine>& lines, const Defines& defines);

class BlockReader {
public:
    // Throws BuildError at the first key (in line order) that is not in `known_keys`.
    BlockReader(const ManifestBlock& block, const std::vector<std::string_view>& known_keys);

    int line() const { return block_.line; }
    const Setting* find(std::string_view key) const;

    // Required settings throw BuildError when missing; optional ones give their default.
    std::string text(std::string_view key) const;
    std::string text_or(std::string_view key, std::string_view fallback) const;
    bool flag(std::string_view key) const;
    bool flag_or(std::string_view key, bool fallback) const;
    std::uint32_t number(std::string_view key) const;
    SourceRef source(std::string_view key) const;
    std::optional<SourceRef> optional_source(std::string_view key) const;

    [[noreturn]] void fail(std::string_view key, const std::string& problem) const;

private:
    const Setting& require(std::string_view key) const;
    std::string where() const;

    const ManifestBlock& block_;
};

// A decimal number, or hexadecimal after "0x", that fits 32 bits.
std::optional<std::uint32_t> parse_u32(std::string_view text);

} // namespace builder
