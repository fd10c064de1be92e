// The key queue: 64 bytes of keys waiting for the program, appended at the
// end and taken from the front. An extended key is the two bytes 0, code.
#pragma once

#include <array>

struct KeyQueue {
  std::array<unsigned char, 64> keys{};
  int count = 0;
};

extern KeyQueue keyQueue;

// Appends one key byte; false (and nothing queued) when the queue is full.
bool QueueKey(unsigned char key);
// Appends 0 and code when both fit; false (and nothing queued) otherwise.
bool QueueExtendedKey(unsigned char code);
// Takes the first key byte; the queue must not be empty.
unsigned char TakeKey();
void ClearKeyQueue();

// Handles pending events (making the window first when the program's text
// is bound to it), then tells whether a key is waiting.
bool KeyPressed();
