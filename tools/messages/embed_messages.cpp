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
#include "tools/generated_source/cpp_literal.h"

namespace {

std::string TableSource(const std::vector<CatalogueMessage>& messages, const std::string& source) {
  std::string text = "// Made at build time from " + source +
                     " by relevix_embed_messages: edit that file, not this one.\n"
                     "#include \"platform/message_table.h\"\n\n";
  if (messages.empty()) return text + "std::span<const EmbeddedMessage> EmbeddedMessages() { return {}; }\n";
  text += "namespace {\n\nconstexpr EmbeddedMessage kMessages[] = {\n";
  for (const CatalogueMessage& message : messages) {
    text += "    {" + CppStringLiteral(message.key) + ", " + CppStringLiteral(message.text) + ", " +
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
