#include "console/sdl_keys.h"

namespace {

KeyName NameOf(SDL_Keycode code, bool numLock) {
  if (code >= SDLK_F1 && code <= SDLK_F12) {
    return static_cast<KeyName>(static_cast<int>(KeyName::F1) + (code - SDLK_F1));
  }
  switch (code) {
    case SDLK_INSERT: return KeyName::Insert;
    case SDLK_DELETE: return KeyName::Delete;
    case SDLK_HOME: return KeyName::Home;
    case SDLK_END: return KeyName::End;
    case SDLK_PAGEUP: return KeyName::PageUp;
    case SDLK_PAGEDOWN: return KeyName::PageDown;
    case SDLK_UP: return KeyName::Up;
    case SDLK_DOWN: return KeyName::Down;
    case SDLK_LEFT: return KeyName::Left;
    case SDLK_RIGHT: return KeyName::Right;
    case SDLK_PAUSE: return KeyName::Pause;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return KeyName::Enter;
    case SDLK_BACKSPACE: return KeyName::Backspace;
    case SDLK_ESCAPE: return KeyName::Escape;
    case SDLK_TAB: return KeyName::Tab;
    case SDLK_SPACE: return KeyName::Space;
    default: break;
  }
  if (numLock) return KeyName::Other;
  // The keypad without Num Lock moves, as the keys printed on it say.
  switch (code) {
    case SDLK_KP_0: return KeyName::Insert;
    case SDLK_KP_PERIOD: return KeyName::Delete;
    case SDLK_KP_1: return KeyName::End;
    case SDLK_KP_2: return KeyName::Down;
    case SDLK_KP_3: return KeyName::PageDown;
    case SDLK_KP_4: return KeyName::Left;
    case SDLK_KP_6: return KeyName::Right;
    case SDLK_KP_7: return KeyName::Home;
    case SDLK_KP_8: return KeyName::Up;
    case SDLK_KP_9: return KeyName::PageUp;
    default: return KeyName::Other;
  }
}

}  // namespace

KeyStroke KeyStrokeFromSdl(const SDL_Keysym& keysym) {
  KeyStroke key;
  const SDL_Keycode code = keysym.sym;
  if (code >= SDLK_a && code <= SDLK_z) {
    key.name = KeyName::Letter;
    key.symbol = static_cast<char>('A' + (code - SDLK_a));
  } else if (code >= SDLK_0 && code <= SDLK_9) {
    key.name = KeyName::Digit;
    key.symbol = static_cast<char>('0' + (code - SDLK_0));
  } else {
    key.name = NameOf(code, (keysym.mod & KMOD_NUM) != 0);
  }
  key.ctrl = (keysym.mod & KMOD_CTRL) != 0;
  key.alt = (keysym.mod & KMOD_LALT) != 0;
  key.shift = (keysym.mod & KMOD_SHIFT) != 0;
  // The X server keeps Ctrl+Alt with a function key for itself (switching
  // consoles), so the key never arrives. AltGr, which is Ctrl+Alt on
  // Windows, stands for Ctrl+Alt with the function keys: AltGr+F9 is
  // Ctrl+Alt+F9.
  const bool functionKey = key.name >= KeyName::F1 && key.name <= KeyName::F12;
  if (functionKey && (keysym.mod & KMOD_RALT) != 0) key.ctrl = key.alt = true;
  return key;
}
