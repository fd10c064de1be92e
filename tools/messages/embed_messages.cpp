// Builds the message catalogue into the program:
//   relevix_embed_messages MESSAGES OUTPUT.cpp
// reads the catalogue file (platform/message_file.h) and writes a source
// file defining EmbeddedMessages() (platform/message_table.h). A malformed
// line stops the build with the file, the line number and what is wrong.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_file.h"

namespace {

// A C++ string literal of the bytes. Everything but printable ASCII is an
// octal escape: at most three digits, so a digit after it stays a digit.
std::string Literal(std::string_view bytes) {
  std::string literal = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
      literal += c;
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\%03o", byte);
      literal += escape;
    }
  }
  return literal + "\"";
}

std::string TableSource(const std::vector<CatalogueMessage>& messages, const std::string& source) {
  std::string text = "// Made at build time from " + source +
                     " by relevix_embed_messages: edit that file, not this one.\n"
                     "#include \"platform/message_table.h\"\n\n";
  if (messages.empty()) return text + "std::span<const EmbeddedMessage> EmbeddedMessages() { return {}; }\n";
  text += "namespace {\n\nconstexpr EmbeddedMessage kMessages[] = {\n";
  for (const CatalogueMessage& message : messages) {
    text += "    {" + Literal(message.key) + ", " + Literal(message.text) + ", " +
            (message.recorded ? "true" : "false") + "},\n";
  }
  return text + "};\n\n}  // namespace\n\n"
                "std::span<const EmbeddedMessage> EmbeddedMessages() { return kMessages; }\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s MESSAGES OUTPUT.cpp\n", argv[0]);
    return 64;
  }
  std::vector<CatalogueMessage> messages;
  std::string error;
  if (!ReadMessageFile(argv[1], messages, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  std::ofstream output(argv[2], std::ios::binary | std::ios::trunc);
  output << TableSource(messages, std::filesystem::path(argv[1]).filename().string());
  if (!output.flush()) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
