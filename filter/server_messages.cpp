#include "filter/server_messages.h"

#include <cstdio>

#include "platform/message_texts.h"
#include "platform/text_encoding.h"

void Tell(std::string_view level, const std::string& windows1252Text) {
  const std::string line = std::string(level) + ": " + Utf8FromWindows1252(windows1252Text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

std::string MessageAbout(std::string_view key, std::string_view detail) {
  std::string text = GetMessage(key);
  if (!detail.empty()) text += ": " + std::string(detail);
  return text;
}

