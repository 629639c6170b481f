#include "registry_section.h"

#include "fixture_bytes.h"
#include "package_format.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using package_format::deepest_key_level;
using package_format::key_name_limit;
using package_format::registry_token_limit;

const std::string value_end(package_format::values_block_end);
const std::string section_end(package_format::registry_section_end);

// A token of `length` characters that ends with the section's end word.
std::string section_end_of_length(std::size_t length)
{
    return std::string(length - section_end.size(), '-').append(section_end);
}

struct Section {
    RegistryKeyTree keys;
    RegistryValueList values;
    std::size_t end_position = 0;
};

// Reads the section from bytes that start just behind its first text.
bool read_section(const PackageBytes& bytes, Section& section)
{
    PackageCursor cursor(bytes.bytes());
    bool ok = read_registry_section(cursor, section.keys, section.values);
    section.end_position = cursor.position();
    return ok;
}

std::vector<const RegistryValueEntry*> all_values(const Section& section)
{
    std::vector<const RegistryValueEntry*> values;
    for (const RegistryValueEntry* value : section.values.values()) values.push_back(value);
    return values;
}

PackageBytes& root(PackageBytes& b, const char* name, const char* id)
{
    return b.text("ROOT").text(name).text(id).text("values");
}

PackageBytes& child(PackageBytes& b, const char* parent_id, const char* name, const char* id)
{
    return b.text("PARENTCHILD").text(parent_id).text(name).text(id).text("values");
}

TEST(RegistrySection, EmptySectionLeavesBothStructuresEmpty)
{
    PackageBytes bytes;
    bytes.text(section_end).u32(0xDEADBEEF);
    Section section;
    ASSERT_TRUE(read_section(bytes, section));
    EXPECT_TRUE(section.keys.empty());
    EXPECT_EQ(section.values.count(), 0u);
    EXPECT_EQ(section.end_position, 20u);  // just behind the end text
}

TEST(RegistrySection, RootWithoutValues)
{
    PackageBytes bytes;
    root(bytes, "HKEY_CURRENT_USER", "3").text(value_end).text(section_end);
    Section section;
    ASSERT_TRUE(read_section(bytes, section));
    ListSnapshot<const RegistryKeyNode> roots = section.keys.children_of(nullptr);
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(roots[0]->key_name, "HKEY_CURRENT_USER");
    EXPECT_EQ(roots[0]->key_id, 3);
    EXPECT_EQ(roots[0]->key_flag, 1);
    EXPECT_TRUE(section.keys.children_of(roots[0]).empty());
    EXPECT_EQ(section.values.count(), 0u);
    EXPECT_EQ(section.end_position, bytes.size());
}

TEST(RegistrySection, ValuesOfEveryKind)
{
    PackageBytes bytes;
    root(bytes, "HKEY_LOCAL_MACHINE", "1");
    bytes.text("Path").text("STRING").text("C:\\Zelmor");
    bytes.text("Count").text("DWORD").text("-1");
    bytes.text("Empty").text("BINARY").u32(0);
    bytes.text("Three").text("BINARY").raw_block("\x01\x02\x03");  // the next token starts unaligned
    bytes.text("").text("REG_MULTI_SZ");  // unknown type: kept without a kind, reads no data
    bytes.text("Both").text("STRINGDWORD").text("s");  // STRING is tested first
    bytes.text(value_end).text(section_end);
    Section section;
    ASSERT_TRUE(read_section(bytes, section));
    EXPECT_EQ(section.end_position, bytes.size());
    std::vector<const RegistryValueEntry*> values = all_values(section);
    ASSERT_EQ(values.size(), 6u);
    const RegistryKeyNode* owner = section.keys.children_of(nullptr)[0];
    for (const RegistryValueEntry* value : values) EXPECT_EQ(value->owner_key, owner);

    EXPECT_EQ(values[0]->value_name, "Path");
    EXPECT_TRUE(values[0]->is_string);
    EXPECT_EQ(values[0]->string_data, "C:\\Zelmor");
    EXPECT_TRUE(values[1]->is_dword);
    EXPECT_EQ(values[1]->dword_data, 4294967295u);
    EXPECT_TRUE(values[2]->is_binary);
    EXPECT_EQ(values[2]->binary_size, 0u);
    EXPECT_TRUE(values[2]->binary_data.empty());
    EXPECT_TRUE(values[3]->is_binary);
    EXPECT_EQ(values[3]->binary_data, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(values[3]->binary_size, 3u);
    EXPECT_EQ(values[4]->value_name, "");
    EXPECT_FALSE(values[4]->is_string || values[4]->is_dword || values[4]->is_binary);
    EXPECT_TRUE(values[5]->is_string);
    EXPECT_FALSE(values[5]->is_dword);
    for (int i : {0, 1, 2, 3}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(int(values[i]->is_string) + int(values[i]->is_dword) + int(values[i]->is_binary), 1);
    }
}

TEST(RegistrySection, TheEndMarkerAnywhereInANameOrTypeEndsTheBlock)
{
    PackageBytes bytes;
    root(bytes, "HKEY_USERS", "1");
    bytes.text("Kept").text("STRING").text("v");
    bytes.text(std::string("xx") + value_end + "yy");  // a name: the block ends here
    root(bytes, "HKEY_CLASSES_ROOT", "2");
    bytes.text("Dropped").text(std::string("<") + value_end + ">");  // a type: the value is dropped
    bytes.text(section_end);
    Section section;
    ASSERT_TRUE(read_section(bytes, section));
    std::vector<const RegistryValueEntry*> values = all_values(section);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0]->value_name, "Kept");
    EXPECT_EQ(section.keys.children_of(nullptr).size(), 2u);
}

TEST(RegistrySection, ChildrenFindTheirParentsAnywhereAndJunkIsSkipped)
{
    PackageBytes bytes;
    bytes.text("junk").text("");
    root(bytes, "HKEY_CURRENT_USER", "1").text(value_end);
    bytes.text("REGISTRYENTRIESSTART");  // not a record word: skipped
    child(bytes, "1", "Software", "2").text(value_end);
    child(bytes, "2", "Zelmor", "3").text("Level").text("DWORD").text("7").text(value_end);
    root(bytes, "HKEY_LOCAL_MACHINE", "4").text(value_end);
    child(bytes, "1", "Environment", "5").text(value_end);
    bytes.text("xROOTx");  // a root record after all: "contains"
    bytes.text("HKEY_USERS").text("6").text("values").text(value_end);
    bytes.text("end: " + std::string(section_end));
    Section section;
    ASSERT_TRUE(read_section(bytes, section));
    EXPECT_EQ(section.end_position, bytes.size());

    ListSnapshot<const RegistryKeyNode> roots = section.keys.children_of(nullptr);
    ASSERT_EQ(roots.size(), 3u);
    EXPECT_EQ(roots[2]->key_name, "HKEY_USERS");
    ListSnapshot<const RegistryKeyNode> user_keys = section.keys.children_of(roots[0]);
    ASSERT_EQ(user_keys.size(), 2u);
    EXPECT_EQ(user_keys[0]->key_name, "Software");
    EXPECT_EQ(user_keys[1]->key_name, "Environment");
    ListSnapshot<const RegistryKeyNode> below_software = section.keys.children_of(user_keys[0]);
    ASSERT_EQ(below_software.size(), 1u);
    EXPECT_EQ(below_software[0]->key_name, "Zelmor");
    EXPECT_EQ(below_software[0]->key_id, 3);
    std::vector<const RegistryValueEntry*> values = all_values(section);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0]->owner_key, below_software[0]);
    EXPECT_EQ(values[0]->dword_data, 7u);
}

TEST(RegistrySection, IdsConvertLikeAtoi)
{
    struct Case {
        const char* root_id;
        const char* parent_id;
        std::int32_t value;
    } cases[] = {{"7", "7", 7}, {" 7", "+7", 7}, {"+7", " 7", 7}, {"x", "0", 0}, {"-3abc", "-3", -3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.root_id);
        PackageBytes bytes;
        root(bytes, "HKEY_CURRENT_USER", c.root_id).text(value_end);
        child(bytes, c.parent_id, "Software", "100").text(value_end).text(section_end);
        Section section;
        ASSERT_TRUE(read_section(bytes, section));
        const RegistryKeyNode* top = section.keys.children_of(nullptr)[0];
        EXPECT_EQ(top->key_id, c.value);
        EXPECT_EQ(section.keys.children_of(top).size(), 1u);
    }
}

TEST(RegistrySection, KeysAtTheLimits)
{
    PackageBytes bytes;
    root(bytes, std::string(key_name_limit, 'k').c_str(), "0").text(value_end);
    for (int level = 1; level <= deepest_key_level; ++level)
        child(bytes, std::to_string(level - 1).c_str(), "k", std::to_string(level).c_str()).text(value_end);
    bytes.text(section_end_of_length(registry_token_limit));
    Section section;
    EXPECT_TRUE(read_section(bytes, section));
}

TEST(RegistrySection, RefusesADamagedSection)
{
    struct Case {
        const char* what;
        std::function<void(PackageBytes&)> write;
    } cases[] = {
        {"no end", [](PackageBytes& b) { root(b, "HKEY_USERS", "1").text(value_end); }},
        {"nothing at all", [](PackageBytes&) {}},
        {"values block cut", [](PackageBytes& b) { root(b, "HKEY_USERS", "1").text("Name").text("STRING"); }},
        {"binary past the end",
         [](PackageBytes& b) { root(b, "HKEY_USERS", "1").text("B").text("BINARY").u32(64).text(value_end).text(section_end); }},
        {"unknown parent",
         [](PackageBytes& b) {
             root(b, "HKEY_USERS", "1").text(value_end);
             child(b, "2", "Lost", "3").text(value_end).text(section_end);
         }},
        {"child before its parent",
         [](PackageBytes& b) {
             child(b, "1", "Early", "2").text(value_end);
             root(b, "HKEY_USERS", "1").text(value_end).text(section_end);
         }},
        {"two roots with one id",
         [](PackageBytes& b) {
             root(b, "HKEY_USERS", "1").text(value_end);
             root(b, "HKEY_CURRENT_USER", "1").text(value_end).text(section_end);
         }},
        {"child with its root's id",
         [](PackageBytes& b) {
             root(b, "HKEY_USERS", " 1").text(value_end);
             child(b, "1", "Again", "+1").text(value_end).text(section_end);
         }},
        {"token one character over its limit",
         [](PackageBytes& b) { b.text(std::string(registry_token_limit + 1, 'j')).text(section_end); }},
        {"end text one character over its limit",
         [](PackageBytes& b) { b.text(section_end_of_length(registry_token_limit + 1)); }},
        {"key name one character over its limit",
         [](PackageBytes& b) {
             root(b, std::string(key_name_limit + 1, 'k').c_str(), "1").text(value_end).text(section_end);
         }},
        {"key one level deeper than allowed",
         [](PackageBytes& b) {
             root(b, "HKEY_USERS", "0").text(value_end);
             for (int level = 1; level <= deepest_key_level + 1; ++level)
                 child(b, std::to_string(level - 1).c_str(), "k", std::to_string(level).c_str()).text(value_end);
             b.text(section_end);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PackageBytes bytes;
        c.write(bytes);
        Section section;
        EXPECT_FALSE(read_section(bytes, section));
    }
}

} // namespace
