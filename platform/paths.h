// Where things live on Linux, and how the Windows-style paths found in
// settings become Linux paths. Paths above this layer are Windows-1252 text,
// as every other string of the system; LinuxPath gives the UTF-8 name that
// the kernel is handed.
#pragma once

#include <string>
#include <string_view>

// The settings directory, which stands for the Windows directory:
// $SONARA_WINDIR, else $XDG_CONFIG_HOME/sonara, else ~/.config/sonara.
std::string SettingsDirectory();

// The directory that was current when the program started (captured on the
// first call, or by InitStartupDirectory), without a trailing separator.
// InitStartupDirectory captures the current directory anew (start-up, and
// tests that change directory).
std::string StartupDirectory();
void InitStartupDirectory();

// The installed data directory: $RELEVIX_DATA_DIR when set, the build tree's
// data/ when the program runs from the build tree, else share/sonara beside
// the program's bin/ folder (so an installed tree can be moved), else the
// share/sonara of the prefix the build was configured with.
std::string DataDirectory();

// Whether DataDirectory is a folder that exists; when it is not, the folders
// looked in, Windows-1252, separated by ", ".
bool DataDirectoryFound(std::string& lookedIn);

// Turns a path of the settings into a Linux path (UTF-8): '\' becomes '/';
// "c:\sonarw\..." and "\sonarw\..." resolve under the data directory; another
// drive letter is dropped; a root-relative "\name" resolves against the data
// directory. Every file the system opens passes through here.
std::string LinuxPath(std::string_view systemPath);

// Joins a directory and a name with one '/' between them.
std::string JoinPath(std::string_view directory, std::string_view name);

// Whether both system paths name one existing file (the same inode on the
// same file system), whatever the names.
bool SameExistingFile(std::string_view first, std::string_view second);

// Whether a regular file (or device) of that system path exists.
bool FileExists(std::string_view systemPath);

// Whether a program of that name (UTF-8) can be started: the executable
// regular file it names when it holds a '/', else one in a folder of $PATH
// (/usr/bin:/bin when unset; an empty entry is the current directory).
bool ProgramOnPath(const std::string& name);
