// Feeds arbitrary text to the key-script parser of the headless host: it
// either gives actions or an error naming a line, never both and never a
// crash.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "console/key_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<ScriptAction> actions;
  std::string error;
  const bool parsed = ParseKeyScript(text, actions, error);
  if (parsed != error.empty()) std::abort();
  for (const ScriptAction& action : actions) {
    if (action.kind == ScriptAction::Kind::Wait && action.milliseconds < 0) std::abort();
  }
  return 0;
}
