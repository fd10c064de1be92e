#include "platform/message_texts.h"

#include <map>

#include "platform/message_table.h"
#include "platform/text_encoding.h"

namespace {

using TextTable = std::map<std::string, std::string, std::less<>>;

// The built-in texts converted to Windows-1252, once, at the first lookup.
// Never destroyed: handlers that run while the program exits (the console's
// last window title) still look messages up.
const TextTable& Texts() {
  static const TextTable* const texts = [] {
    auto* table = new TextTable;
    for (const EmbeddedMessage& message : EmbeddedMessages()) {
      table->emplace(message.key, Windows1252FromUtf8(message.text));
    }
    return table;
  }();
  return *texts;
}

}  // namespace

std::string GetMessage(std::string_view key) {
  const auto found = Texts().find(key);
  if (found != Texts().end()) return found->second;
  return "--> Mensagem inv\xE1lida: " + std::string(key);
}

std::string GetMessageWith(std::string_view key, std::initializer_list<std::string_view> values) {
  const std::string text = GetMessage(key);
  std::string filled;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '{' && i + 2 < text.size() && text[i + 2] == '}' && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const auto index = static_cast<std::size_t>(text[i + 1] - '1');
      if (index < values.size()) {
        filled += values.begin()[index];
        i += 2;
        continue;
      }
    }
    filled += text[i];
  }
  return filled;
}

std::vector<std::string> RecordedMessageKeys() {
  std::vector<std::string> keys;
  for (const EmbeddedMessage& message : EmbeddedMessages()) {
    if (message.recorded) keys.emplace_back(message.key);
  }
  return keys;
}
