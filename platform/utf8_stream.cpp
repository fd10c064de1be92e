#include "platform/utf8_stream.h"

#include <utility>

#include "platform/text_encoding.h"

namespace {

constexpr char32_t kByteOrderMark = 0xFEFF;

// Calls visit for every sequence of pending followed by chunk, until visit
// returns false. A sequence cut off by the end of the chunk is kept in
// pending for the next chunk, unless this is the last one.
template <typename Visit>
void ForEachSequence(std::string& pending, std::string_view chunk, bool last, Visit visit) {
  std::string bytes = std::move(pending);
  pending.clear();
  bytes.append(chunk);
  std::string_view rest = bytes;
  while (!rest.empty()) {
    const Utf8Step step = DecodeUtf8Step(rest);
    if (step.truncated && !last) {
      pending.assign(rest);
      return;
    }
    if (!visit(step)) return;
    rest.remove_prefix(step.length);
  }
}

}  // namespace

std::string DecodeUtf8Chunk(Utf8StreamDecoder& decoder, std::string_view chunk, bool last) {
  std::string out;
  out.reserve(chunk.size());
  ForEachSequence(decoder.pending, chunk, last, [&](const Utf8Step& step) {
    const bool first = !decoder.started;
    decoder.started = true;
    if (!step.valid) {
      out.append(step.length, '?');
    } else if (!(first && step.codePoint == kByteOrderMark)) {
      out += Windows1252FromCodePoint(step.codePoint);
    }
    return true;
  });
  return out;
}

void CheckUtf8Chunk(Utf8StreamCheck& check, std::string_view chunk, bool last) {
  if (!check.valid) return;
  ForEachSequence(check.pending, chunk, last, [&](const Utf8Step& step) {
    check.valid = step.valid;
    check.multibyte = check.multibyte || step.length > 1;
    return check.valid;
  });
}
