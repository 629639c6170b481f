// The texts of a package that the installation turns into paths, registry keys and install log
// lines, and what each must look like so that the installation stays inside the places the user
// chose and every log entry stays one kind line and one value line. The setup program's reader
// refuses a package that breaks one of these rules; the package builder refuses the manifest by
// the same rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What is wrong with a text; none when the rule accepts it.
enum class NameFault : std::uint8_t {
    none,
    empty,                 // no characters, or an empty level
    dots_and_blanks_only,  // ".", "..", ". ": Windows trims such a name to nothing or a way up
    control_character,     // below 0x20: CR or LF would split an install log line
    reserved_character,    // one of reserved_name_characters
    absolute,              // a subdirectory that starts with a separator or holds ":" (a drive)
    way_up,                // a subdirectory level of two or more dots and nothing but dots and blanks
    not_an_extension,      // an extension that is not "." and at least one more character
    holds_separator,       // "\" or "/" where the text must be one level
};

// Characters that no file name may hold.
inline constexpr std::string_view reserved_name_characters = "\\/:*?\"<>|";

bool is_control_character(char c);

// Refuses any character below 0x20. For the texts that become part of a path or an install log
// line without a rule of their own: the directory name and the default location.
NameFault control_character_fault(std::string_view text);

// A file name without any folder: not empty, none of reserved_name_characters, no control
// character, and not made only of dots and blanks.
NameFault file_name_fault(std::string_view name);

// A folder path below the target folder: empty, or levels separated by "\" or "/" with no
// leading separator, no ":" (drive or stream), no level of two or more dots and nothing but dots
// and blanks (a way up), and within each level none of the other reserved characters and no
// control character.
NameFault subdirectory_fault(std::string_view path);

// A shortcut's description: its name with every "\" made a blank (a file name holds no "\").
std::string shortcut_description(std::string_view shortcut_name);
// The link's file name: the description + ".lnk".
std::string shortcut_file_name(std::string_view shortcut_name);

// The link's file name must be a file name. An empty shortcut name gives ".lnk" and stays
// allowed: files without shortcuts carry one.
NameFault shortcut_name_fault(std::string_view shortcut_name);

// The program group: levels separated by "\" ("Vendor\Product" nests), each a file name. Empty
// only when the package makes no program group (create_program_group is not 1).
NameFault program_group_fault(std::string_view name, std::uint32_t create_program_group);

// An extension to associate: "." and at least one more character, no "\" or "/" (it names one
// key), no control character.
NameFault extension_fault(std::string_view extension);

// One level of a registry key, or a root's name: the install log names every key it creates
// and every value it sets by the key's path, so no control character.
NameFault registry_key_name_fault(std::string_view name);

// A registry value name: the install log writes key name + "\" + value name and the uninstaller
// splits the line at its last "\", so a value name holds no "\"; no control character.
NameFault registry_value_name_fault(std::string_view name);
