// File names between the disk and the system. On disk a name is UTF-8 (or
// any bytes); inside the system it is Windows-1252 like every other text. A
// character with no Windows-1252 form, and a byte that is no UTF-8, is
// carried as the byte 0x81 (no character of Windows-1252), the hex of its
// bytes on disk and ';': the way back gives the name on disk exactly, so a
// file chosen from a listing is always the file that was listed.
#pragma once

#include <string>
#include <string_view>

std::string SystemNameFromDisk(std::string_view diskName);
std::string DiskNameFromSystem(std::string_view systemName);
// The name as shown and spoken: each carried character is a '?'.
std::string ShownSystemName(std::string_view systemName);
