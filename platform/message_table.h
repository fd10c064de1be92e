// The message catalogue as built into the program: the lines of
// data/mensagens.txt, turned into a source file at build time by
// tools/messages/embed_messages.cpp.
#pragma once

#include <span>
#include <string_view>

struct EmbeddedMessage {
  std::string_view key;
  std::string_view text;  // UTF-8, as written in the file
  bool recorded;          // marked "gravada": it has a recorded sound
};

// Every message, in the file's order.
std::span<const EmbeddedMessage> EmbeddedMessages();
