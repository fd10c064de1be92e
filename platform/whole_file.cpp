#include "platform/whole_file.h"

#include <fstream>
#include <iterator>

bool ReadWholeFile(const std::string& linuxPath, std::string& bytes) {
  std::ifstream file(linuxPath, std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}
