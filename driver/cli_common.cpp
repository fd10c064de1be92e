#include <algorithm>
#include <cstdio>

#include "driver/cli.h"
#include "platform/message_texts.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"

bool TakeFlag(CliArguments& args, const std::string& name) {
  const auto found = std::find(args.begin(), args.end(), name);
  if (found == args.end()) return false;
  args.erase(found);
  return true;
}

bool TakeOption(CliArguments& args, const std::string& name, std::string& value, std::string& error) {
  error.clear();
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != name) continue;
    if (i + 1 >= args.size()) {
      error = GetMessageWith("CLIFALTA", {name});
      return false;
    }
    value = args[i + 1];
    args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
    return true;
  }
  return false;
}

void PrintOut(const std::string& text) {
  const std::string utf8 = Utf8FromWindows1252(text);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

void PrintError(const std::string& text) {
  const std::string utf8 = Utf8FromWindows1252(text + "\n");
  std::fflush(stdout);
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

std::string DisplayPath(const std::string& systemPath) { return Windows1252FromUtf8(LinuxPath(systemPath)); }

std::string Joined(const CliArguments& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
  return text;
}
