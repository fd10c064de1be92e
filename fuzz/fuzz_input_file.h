// What the fuzz targets that read a file share: one temporary file, made at
// start and removed at exit, that each input is written to, and a console
// that writes nowhere.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/console.h"

namespace fuzzing {

inline std::string& InputPath() {
  static std::string path;
  return path;
}

inline void RemoveInputFile() { unlink(InputPath().c_str()); }

// The folder for temporary files: $TMPDIR, else /tmp.
inline std::string TemporaryFolder() {
  const char* base = std::getenv("TMPDIR");
  return base != nullptr && *base != '\0' ? base : "/tmp";
}

inline void MakeInputFile() {
  std::string pattern = TemporaryFolder() + "/relevix-fuzz-XXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) std::abort();
  close(fd);
  InputPath() = pattern;
  std::atexit(RemoveInputFile);
  SetConsoleStream(std::fopen("/dev/null", "w"));
}

// Writes bytes to the file at path, whole.
inline void WriteFileOf(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// A fresh folder for a target's files, made the current folder: its path.
inline std::string MakeWorkFolder() {
  std::string folder = TemporaryFolder() + "/relevix-fuzz-XXXXXX";
  if (mkdtemp(folder.data()) == nullptr || chdir(folder.c_str()) != 0) std::abort();
  return folder;
}

inline void WriteInputFile(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(InputPath().c_str(), "wb");
  if (file == nullptr) std::abort();
  std::fwrite(data, 1, size, file);
  std::fclose(file);
}

}  // namespace fuzzing
