// The key queue: 64 bytes of keys waiting for the program, appended at the
// end and taken from the front. An extended key is the two bytes 0, code.
#pragma once

#include <array>

// Shift and Alt as they were held when a key was pressed.
struct KeyModifiers {
  bool shift = false;
  bool alt = false;
  bool operator==(const KeyModifiers&) const = default;
};

struct KeyQueue {
  std::array<unsigned char, 64> keys{};
  std::array<KeyModifiers, 64> modifiers{};  // held when each byte was queued
  int count = 0;
  KeyModifiers held;       // given to the keys queued from now on
  KeyModifiers lastTaken;  // those of the byte taken last
};

extern KeyQueue keyQueue;

// Appends one key byte; false (and nothing queued) when the queue is full.
bool QueueKey(unsigned char key);
// Appends 0 and code when both fit; false (and nothing queued) otherwise.
bool QueueExtendedKey(unsigned char code);
// Takes the first key byte; the queue must not be empty. Its modifiers
// become LastKeyModifiers.
unsigned char TakeKey();
// The keyboard sets the modifiers of the key being pressed.
void SetHeldModifiers(KeyModifiers modifiers);
// The modifiers the key read last was pressed with: a key that waited in
// the queue acts as it was pressed, however fast the user typed.
KeyModifiers LastKeyModifiers();
void SetLastKeyModifiers(KeyModifiers modifiers);
void ClearKeyQueue();

// Handles pending events (making the window first when the program's text
// is bound to it), then tells whether a key is waiting.
bool KeyPressed();
