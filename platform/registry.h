// The voice-database look-up that stands for the Windows registry on Linux.
// Only the MBROLA database keys are known: the default value of
// "SOFTWARE\TCTS\Mbrola\databases\NAME" is the path of database NAME,
// found as $MBROLA_DATABASES/NAME/NAME, $MBROLA_DATABASES/NAME or
// /usr/share/mbrola/NAME/NAME. Every other key is not found.
#pragma once

#include <optional>
#include <string>
#include <string_view>

enum class RegistryRoot { LocalMachine, CurrentUser };

// The text of the value named by path (key, last '\', value name; an empty
// value name is the key's default value); nullopt when not found.
std::optional<std::string> ReadRegistryString(RegistryRoot root, std::string_view path);
