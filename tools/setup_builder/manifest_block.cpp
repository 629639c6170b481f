#include "manifest_block.h"

#include "build_error.h"

#include <algorithm>
#include <charconv>

namespace builder {

namespace {

void add_setting(ManifestBlock& block, const ManifestLine& line, const Defines& defines)
{
    auto same_key = [&](const Setting& s) { return s.key == line.name; };
    if (auto earlier = std::ranges::find_if(block.settings, same_key); earlier != block.settings.end())
        throw BuildError(line.number, "\"" + line.name + "\" is given twice (first at line " +
                                          std::to_string(earlier->line) + ")");
    block.settings.push_back({line.name, substitute_defines(line.value, defines, line.number), line.number});
}

} // namespace

std::vector<ManifestBlock> group_manifest_blocks(const std::vector<ManifestLine>& lines, const Defines& defines)
{
    std::vector<ManifestBlock> blocks(1);
    for (const ManifestLine& line : lines) {
        if (line.kind == ManifestLine::Kind::section)
            blocks.push_back({line.name, line.number, {}});
        else
            add_setting(blocks.back(), line, defines);
    }
    if (blocks.size() > 1)
        blocks.front().line = blocks[1].line;
    else
        blocks.front().line = lines.empty() ? 1 : lines.back().number;
    return blocks;
}

std::optional<std::uint32_t> parse_u32(std::string_view text)
{
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

BlockReader::BlockReader(const ManifestBlock& block, const std::vector<std::string_view>& known_keys)
    : block_(block)
{
    for (const Setting& setting : block.settings)
        if (std::ranges::find(known_keys, setting.key) == known_keys.end())
            throw BuildError(setting.line, "unknown key \"" + setting.key + "\" in " + where());
}

const Setting* BlockReader::find(std::string_view key) const
{
    auto found = std::ranges::find_if(block_.settings, [&](const Setting& s) { return s.key == key; });
    return found == block_.settings.end() ? nullptr : &*found;
}

const Setting& BlockReader::require(std::string_view key) const
{
    if (const Setting* setting = find(key)) return *setting;
    throw BuildError(block_.line, "missing required key \"" + std::string(key) + "\" in " + where());
}

std::string BlockReader::where() const
{
    return block_.section.empty() ? "the settings before the first section" : "the [" + block_.section + "] section";
}

void BlockReader::fail(std::string_view key, const std::string& problem) const
{
    const Setting* setting = find(key);
    throw BuildError(setting ? setting->line : block_.line, std::string(key) + ": " + problem);
}

std::string BlockReader::text(std::string_view key) const
{
    return require(key).value;
}

std::string BlockReader::text_or(std::string_view key, std::string_view fallback) const
{
    const Setting* setting = find(key);
    return setting ? setting->value : std::string(fallback);
}

bool BlockReader::flag(std::string_view key) const
{
    const std::string& value = require(key).value;
    if (value != "0" && value != "1") fail(key, "must be 0 or 1, not \"" + value + "\"");
    return value == "1";
}

bool BlockReader::flag_or(std::string_view key, bool fallback) const
{
    return find(key) ? flag(key) : fallback;
}

std::uint32_t BlockReader::number(std::string_view key) const
{
    const std::string& value = require(key).value;
    std::optional<std::uint32_t> number = parse_u32(value);
    if (!number) fail(key, "\"" + value + "\" is not a number from 0 to 4294967295");
    return *number;
}

SourceRef BlockReader::source(std::string_view key) const
{
    const Setting& setting = require(key);
    if (setting.value.empty()) fail(key, "needs a file name");
    return {setting.value, setting.line};
}

std::optional<SourceRef> BlockReader::optional_source(std::string_view key) const
{
    if (!find(key)) return std::nullopt;
    return source(key);
}

} // namespace builder
