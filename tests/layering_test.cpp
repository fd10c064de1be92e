// The folders are layers: a file includes headers of its own folder and of
// folders below it, never above, so no two subsystems depend on each other.
// This reads every source file of the tree and checks each quoted include.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

// Bottom to top.
const std::vector<std::string> kLayers = {"platform", "braille", "documents", "formats", "volumes", "filter", "console",
                                          "braille_display", "audio", "tts", "speech", "catalogue",
                                          "editor", "devices", "driver"};

// Folders outside the layers: they may include any layer.
const std::vector<std::string> kFreeFolders = {"tests", "tools", "bench", "fuzz"};

int LayerOf(const std::string& folder) {
  const auto found = std::ranges::find(kLayers, folder);
  return found == kLayers.end() ? -1 : static_cast<int>(found - kLayers.begin());
}

bool IsTestFile(const std::string& name) {
  return name.find("_test") != std::string::npos || name.find("test_support") != std::string::npos ||
         name.find("fixture") != std::string::npos;
}

struct Violation {
  std::string file;
  std::string include;
};

// The includes of one file that point above its folder's layer, to a folder
// outside the layers, or (outside tests and benchmarks, which may play the
// tests' stand-ins) into tests/.
std::vector<Violation> CheckFile(const fs::path& root, const fs::path& file) {
  const std::string relative = fs::relative(file, root).generic_string();
  const std::string folder = relative.substr(0, relative.find('/'));
  const int layer = LayerOf(folder);
  const bool testFile = IsTestFile(file.filename().string());
  std::vector<Violation> found;
  static const std::regex include(R"re(^\s*#\s*include\s*"(([a-z_]+)/[^"]*)")re");
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    std::smatch match;
    if (!std::regex_search(line, match, include)) continue;
    const std::string target = match[2];
    if (target == folder) continue;
    if (target == "tests") {
      if (!testFile && folder != "bench") found.push_back({relative, line});
      continue;
    }
    const int targetLayer = LayerOf(target);
    if (targetLayer < 0) {
      found.push_back({relative, line + "  (folder outside the layers)"});
    } else if (layer >= 0 && targetLayer >= layer) {
      found.push_back({relative, line});
    }
  }
  return found;
}

std::vector<Violation> CheckTree(const fs::path& root) {
  std::vector<Violation> found;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const fs::path& path = entry.path();
    const std::string top = fs::relative(path, root).begin()->string();
    if (LayerOf(top) < 0 && std::ranges::find(kFreeFolders, top) == kFreeFolders.end()) continue;
    if (!entry.is_regular_file() || (path.extension() != ".cpp" && path.extension() != ".h")) continue;
    for (Violation& violation : CheckFile(root, path)) found.push_back(std::move(violation));
  }
  return found;
}

TEST(Layering, NoFolderIncludesAFolderAboveIt) {
  const std::vector<Violation> found = CheckTree(RELEVIX_SOURCE_DIR);
  for (const Violation& violation : found) ADD_FAILURE() << violation.file << ": " << violation.include;
  EXPECT_TRUE(found.empty());
}

TEST(Layering, TheCheckSeesIncludesThatPointUpOrOutside) {
  testing_support::TempDir dir;
  const fs::path root = dir.path();
  auto write = [&root](const std::string& name, const std::string& text) {
    fs::create_directories((root / name).parent_path());
    std::ofstream(root / name) << text;
  };
  write("devices/ok.cpp", "#include \"devices/a.h\"\n#include \"braille/b.h\"\n#include \"platform/c.h\"\n");
  write("braille/up.cpp", "#include \"console/console.h\"\n");
  write("console/up.cpp", "#include <vector>\n  #include \"speech/speech.h\"\n");
  write("speech/down.cpp", "#include \"speech/x.h\"\n# include \"tts/ok.h\"\n");
  write("tts/up.cpp", "#include \"speech/speech.h\"\n");
  write("devices/prod.cpp", "#include \"tests/support/test_support.h\"\n");
  write("devices/prod_test.cpp", "#include \"tests/support/test_support.h\"\n");
  write("tools/gen.cpp", "#include \"driver/cli.h\"\n");
  write("driver/odd.cpp", "#include \"nowhere/x.h\"\n");
  write("platform/cells.cpp", "#include \"braille/braille_cells.h\"\n");
  std::vector<std::string> files;
  for (const Violation& violation : CheckTree(root)) files.push_back(violation.file);
  std::ranges::sort(files);
  EXPECT_EQ(files, (std::vector<std::string>{"braille/up.cpp", "console/up.cpp", "devices/prod.cpp", "driver/odd.cpp",
                                             "platform/cells.cpp", "tts/up.cpp"}));
}

}  // namespace
