#include "braille_display/display_view.h"

#include <brlapi.h>

#include <algorithm>

#include "console/key_codes.h"
#include "platform/text_encoding.h"

void DisplayView::SetWidth(int width) {
  width_ = width;
  FollowCursor();
}

void DisplayView::Show(const DisplayContent& content) {
  if (sound_ && content == content_) return;
  sound_ = false;
  if (!(content.text == content_.text && content.isDots == content_.isDots)) offset_ = 0;
  content_ = content;
  FollowCursor();
}

void DisplayView::ShowSound(std::string_view text) {
  sound_ = true;
  soundContent_ = DisplayContent{.text = std::string(text)};
}

void DisplayView::FollowCursor() {
  const int cursor = content_.cursor;
  if (width_ <= 0 || cursor < 0) return;
  if (cursor < offset_ || cursor >= offset_ + width_) offset_ = cursor - cursor % width_;
}

int DisplayView::Length() const {
  const DisplayContent& c = Showing();
  return std::max(static_cast<int>(c.text.size()), c.cursor + 1);
}

bool DisplayView::PanLeft() {
  if (sound_ || offset_ == 0 || width_ <= 0) return false;
  offset_ = std::max(0, offset_ - width_);
  return true;
}

bool DisplayView::PanRight() {
  if (sound_ || width_ <= 0 || offset_ + width_ >= Length()) return false;
  offset_ += width_;
  return true;
}

DisplayWindow DisplayView::Window() const {
  DisplayWindow window;
  if (width_ <= 0) return window;
  const DisplayContent& c = Showing();
  const int offset = sound_ ? 0 : offset_;
  window.cells.assign(static_cast<std::size_t>(width_), c.isDots ? '\0' : ' ');
  for (int i = 0; i < width_ && offset + i < static_cast<int>(c.text.size()); ++i) {
    const char cell = c.text[static_cast<std::size_t>(offset + i)];
    // A control byte in a text has no cell of its own: a blank.
    window.cells[static_cast<std::size_t>(i)] = !c.isDots && static_cast<unsigned char>(cell) < 32 ? ' ' : cell;
  }
  if (c.cursor >= offset && c.cursor < offset + width_) window.cursor = c.cursor - offset;
  return window;
}

namespace {

DisplayKey Key(int byte) { return {DisplayKey::Kind::Key, byte}; }
DisplayKey Extended(int code) { return {DisplayKey::Kind::ExtendedKey, code}; }

DisplayKey KeyOfSymbol(unsigned long long symbol) {
  switch (symbol) {
    case BRLAPI_KEY_SYM_LINEFEED: return Key(kEnterKey);
    case BRLAPI_KEY_SYM_ESCAPE: return Key(kEscapeKey);
    case BRLAPI_KEY_SYM_TAB: return Key(kTabKey);
    case BRLAPI_KEY_SYM_BACKSPACE: return Key(kBackspaceKey);
    case BRLAPI_KEY_SYM_HOME: return Extended(kHomeKey);
    case BRLAPI_KEY_SYM_END: return Extended(kEndKey);
    case BRLAPI_KEY_SYM_LEFT: return Extended(kLeftKey);
    case BRLAPI_KEY_SYM_RIGHT: return Extended(kRightKey);
    case BRLAPI_KEY_SYM_UP: return Extended(kUpKey);
    case BRLAPI_KEY_SYM_DOWN: return Extended(kDownKey);
    case BRLAPI_KEY_SYM_PAGE_UP: return Extended(kPageUpKey);
    case BRLAPI_KEY_SYM_PAGE_DOWN: return Extended(kPageDownKey);
    case BRLAPI_KEY_SYM_INSERT: return Extended(kInsertKey);
    case BRLAPI_KEY_SYM_DELETE: return Extended(kDeleteKey);
    default: break;
  }
  if (symbol >= BRLAPI_KEY_SYM_FUNCTION && symbol < BRLAPI_KEY_SYM_FUNCTION + 12) {
    return Extended(kF1Key + static_cast<int>(symbol - BRLAPI_KEY_SYM_FUNCTION));
  }
  // Typed characters: Latin-1 keysyms stand for themselves, others carry the
  // Unicode flag.
  unsigned long long character = 0;
  if (symbol >= 0x20 && symbol < 0x100) {
    character = symbol;
  } else if ((symbol & BRLAPI_KEY_SYM_UNICODE) != 0) {
    character = symbol & (BRLAPI_KEY_SYM_UNICODE - 1);
  } else {
    return {};
  }
  const char byte = Windows1252FromCodePoint(static_cast<char32_t>(character));
  if (byte == '?' && character != '?') return {};
  return Key(static_cast<unsigned char>(byte));
}

}  // namespace

DisplayKey DisplayKeyOfCode(unsigned long long code) {
  if ((code & BRLAPI_KEY_TYPE_MASK) == BRLAPI_KEY_TYPE_SYM) return KeyOfSymbol(code & BRLAPI_KEY_CODE_MASK);
  const unsigned long long command = code & BRLAPI_KEY_CODE_MASK;
  const unsigned long long block = command & BRLAPI_KEY_CMD_BLK_MASK;
  const int argument = static_cast<int>(command & BRLAPI_KEY_CMD_ARG_MASK);
  if (block == (BRLAPI_KEY_CMD_ROUTE & BRLAPI_KEY_CODE_MASK)) return {DisplayKey::Kind::Route, argument};
  if (block != 0) return {};
  switch (command) {
    case BRLAPI_KEY_CMD_LNUP & BRLAPI_KEY_CODE_MASK: return Extended(kUpKey);
    case BRLAPI_KEY_CMD_LNDN & BRLAPI_KEY_CODE_MASK: return Extended(kDownKey);
    case BRLAPI_KEY_CMD_FWINLT & BRLAPI_KEY_CODE_MASK: return {DisplayKey::Kind::PanLeft, 0};
    case BRLAPI_KEY_CMD_FWINRT & BRLAPI_KEY_CODE_MASK: return {DisplayKey::Kind::PanRight, 0};
    default: return {};
  }
}
