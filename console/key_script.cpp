#include "console/key_script.h"

#include <charconv>

#include "platform/message_texts.h"
#include "platform/text_encoding.h"

namespace {

using Kind = ScriptAction::Kind;

struct NamedKey {
  std::string_view name;
  KeyName key;
};

constexpr NamedKey kNamedKeys[] = {
    {"F1", KeyName::F1},         {"F2", KeyName::F2},         {"F3", KeyName::F3},
    {"F4", KeyName::F4},         {"F5", KeyName::F5},         {"F6", KeyName::F6},
    {"F7", KeyName::F7},         {"F8", KeyName::F8},         {"F9", KeyName::F9},
    {"F10", KeyName::F10},       {"F11", KeyName::F11},       {"F12", KeyName::F12},
    {"INSERT", KeyName::Insert}, {"DELETE", KeyName::Delete}, {"HOME", KeyName::Home},
    {"END", KeyName::End},       {"PGUP", KeyName::PageUp},   {"PGDN", KeyName::PageDown},
    {"UP", KeyName::Up},         {"DOWN", KeyName::Down},     {"LEFT", KeyName::Left},
    {"RIGHT", KeyName::Right},   {"PAUSE", KeyName::Pause},   {"ENTER", KeyName::Enter},
    {"BACKSPACE", KeyName::Backspace}, {"ESC", KeyName::Escape}, {"TAB", KeyName::Tab},
    {"SPACE", KeyName::Space},
};

std::string Upper(std::string_view word) {
  std::string upper(word);
  for (char& c : upper) c = static_cast<char>(UpperWindows1252(static_cast<unsigned char>(c)));
  return upper;
}

// A key name without modifiers: a name of the table, a letter or a digit.
bool ParseKeyName(std::string_view word, KeyStroke& key) {
  const std::string name = Upper(word);
  if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') {
    key.name = KeyName::Letter;
    key.symbol = name[0];
    return true;
  }
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') {
    key.name = KeyName::Digit;
    key.symbol = name[0];
    return true;
  }
  for (const NamedKey& entry : kNamedKeys) {
    if (entry.name == name) {
      key.name = entry.key;
      return true;
    }
  }
  return false;
}

// [CTRL+][ALT+][SHIFT+]NAME, modifiers in any order.
bool ParseKeyStroke(std::string_view word, KeyStroke& key) {
  for (;;) {
    const std::size_t plus = word.find('+');
    if (plus == std::string_view::npos || plus + 1 == word.size()) break;
    const std::string modifier = Upper(word.substr(0, plus));
    if (modifier == "CTRL") {
      key.ctrl = true;
    } else if (modifier == "ALT") {
      key.alt = true;
    } else if (modifier == "SHIFT") {
      key.shift = true;
    } else {
      return false;
    }
    word.remove_prefix(plus + 1);
  }
  return ParseKeyName(word, key);
}

// The character a key types besides its control characters: letters,
// digits and the blank, when neither Ctrl nor Alt is held.
int CharacterOf(const KeyStroke& key) {
  if (const int control = ControlCharacterOf(key); control >= 0) return control;
  if (key.ctrl || key.alt) return -1;
  if (key.name == KeyName::Space) return ' ';
  if (key.name == KeyName::Digit) return key.symbol;
  if (key.name == KeyName::Letter) return key.shift ? key.symbol : key.symbol - 'A' + 'a';
  return -1;
}

ScriptAction KeyAction(Kind kind, const KeyStroke& key) {
  ScriptAction action;
  action.kind = kind;
  action.key = key;
  return action;
}

ScriptAction CharacterAction(unsigned char character, bool ctrl) {
  ScriptAction action;
  action.kind = Kind::Character;
  action.character = character;
  action.ctrl = ctrl;
  return action;
}

void AddPress(std::vector<ScriptAction>& actions, const KeyStroke& key) {
  actions.push_back(KeyAction(Kind::KeyDown, key));
  if (const int c = CharacterOf(key); c >= 0) {
    actions.push_back(CharacterAction(static_cast<unsigned char>(c), key.ctrl));
  }
  actions.push_back(KeyAction(Kind::KeyUp, key));
}

// The key that types a character of a text, if it is a letter, a digit or
// the blank; other characters arrive as characters alone.
void AddTypedCharacter(std::vector<ScriptAction>& actions, unsigned char c) {
  KeyStroke key;
  if (c >= 'a' && c <= 'z') {
    key = {.name = KeyName::Letter, .symbol = static_cast<char>(c - 'a' + 'A')};
  } else if (c >= 'A' && c <= 'Z') {
    key = {.name = KeyName::Letter, .symbol = static_cast<char>(c), .shift = true};
  } else if (c >= '0' && c <= '9') {
    key = {.name = KeyName::Digit, .symbol = static_cast<char>(c)};
  } else if (c == ' ') {
    key = {.name = KeyName::Space};
  } else {
    actions.push_back(CharacterAction(c, false));
    return;
  }
  AddPress(actions, key);
}

bool ParseChord(std::string_view keys, std::vector<ScriptAction>& actions) {
  std::vector<KeyStroke> strokes;
  while (!keys.empty()) {
    const std::size_t plus = keys.find('+');
    KeyStroke key;
    if (!ParseKeyName(keys.substr(0, plus), key) || (key.name != KeyName::Letter && key.name != KeyName::Space)) {
      return false;
    }
    strokes.push_back(key);
    keys = plus == std::string_view::npos ? std::string_view() : keys.substr(plus + 1);
  }
  if (strokes.empty()) return false;
  for (const KeyStroke& key : strokes) {
    actions.push_back(KeyAction(Kind::KeyDown, key));
    actions.push_back(CharacterAction(static_cast<unsigned char>(CharacterOf(key)), false));
  }
  for (const KeyStroke& key : strokes) actions.push_back(KeyAction(Kind::KeyUp, key));
  return true;
}

bool ParseMilliseconds(std::string_view word, int& milliseconds) {
  const char* end = word.data() + word.size();
  const auto [stop, failure] = std::from_chars(word.data(), end, milliseconds);
  return !word.empty() && failure == std::errc() && stop == end && milliseconds >= 0;
}

// Splits the script into words; a quoted text is one word, kept with its
// quotes and with \" and \\ undone.
class Words {
 public:
  explicit Words(std::string_view text) : text_(text) {}

  // False at the end; on a quote that is not closed, word is empty and
  // unclosed is set.
  bool Next(std::string& word, bool& unclosed) {
    SkipBlanksAndComments();
    if (position_ >= text_.size()) return false;
    line_ = currentLine_;
    word.clear();
    if (text_[position_] == '"') return Quoted(word, unclosed);
    while (position_ < text_.size() && !IsBlank(text_[position_]) && text_[position_] != '#') word += text_[position_++];
    return true;
  }
  int Line() const { return line_; }

 private:
  static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

  void SkipBlanksAndComments() {
    while (position_ < text_.size()) {
      const char c = text_[position_];
      if (c == '#') {
        while (position_ < text_.size() && text_[position_] != '\n') ++position_;
      } else if (IsBlank(c)) {
        if (c == '\n') ++currentLine_;
        ++position_;
      } else {
        return;
      }
    }
  }

  bool Quoted(std::string& word, bool& unclosed) {
    word = "\"";
    for (++position_; position_ < text_.size(); ++position_) {
      char c = text_[position_];
      if (c == '"') {
        ++position_;
        return true;
      }
      if (c == '\\' && position_ + 1 < text_.size()) c = text_[++position_];
      if (c == '\n') ++currentLine_;
      word += c;
    }
    unclosed = true;
    word.clear();
    return true;
  }

  std::string_view text_;
  std::size_t position_ = 0;
  int currentLine_ = 1;
  int line_ = 1;
};

}  // namespace

bool ParseKeyScript(std::string_view text, std::vector<ScriptAction>& actions, std::string& error) {
  actions.clear();
  Words words(text);
  std::string word;
  bool unclosed = false;
  while (words.Next(word, unclosed)) {
    const auto where = [&words] { return GetMessageWith("ROTLINHA", {std::to_string(words.Line())}); };
    if (unclosed) {
      error = where() + GetMessage("ROTASPAS");
      return false;
    }
    const std::string upper = Upper(word);
    if (!word.empty() && word[0] == '"') {
      for (const char c : Windows1252FromUtf8(std::string_view(word).substr(1))) {
        AddTypedCharacter(actions, static_cast<unsigned char>(c));
      }
    } else if (upper == "WAIT" || upper == "CHORD") {
      std::string argument;
      const bool hasArgument = words.Next(argument, unclosed) && !unclosed;
      ScriptAction wait;
      wait.kind = Kind::Wait;
      bool understood = false;
      if (hasArgument && upper == "WAIT") {
        understood = ParseMilliseconds(argument, wait.milliseconds);
        if (understood) actions.push_back(wait);
      } else if (hasArgument) {
        understood = ParseChord(argument, actions);
      }
      if (!understood) {
        error = where() + Windows1252FromUtf8(word + " " + argument) + ": " +
                GetMessage(upper == "WAIT" ? "ROTTEMPO" : "ROTCHORD");
        return false;
      }
    } else if (upper == "CLOSE") {
      ScriptAction close;
      close.kind = Kind::Close;
      actions.push_back(close);
    } else {
      KeyStroke key;
      if (!ParseKeyStroke(word, key)) {
        error = where() + GetMessageWith("ROTTECLA", {Windows1252FromUtf8(word)});
        return false;
      }
      AddPress(actions, key);
    }
  }
  return true;
}
