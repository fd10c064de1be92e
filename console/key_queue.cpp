#include "console/key_queue.h"

#include <algorithm>

#include "console/console_events.h"

KeyQueue keyQueue;

bool QueueKey(unsigned char key) {
  if (keyQueue.count >= static_cast<int>(keyQueue.keys.size())) return false;
  keyQueue.keys[static_cast<std::size_t>(keyQueue.count++)] = key;
  return true;
}

unsigned char TakeKey() {
  const unsigned char key = keyQueue.keys[0];
  std::copy(keyQueue.keys.begin() + 1, keyQueue.keys.begin() + keyQueue.count, keyQueue.keys.begin());
  --keyQueue.count;
  return key;
}

void ClearKeyQueue() { keyQueue.count = 0; }

bool KeyPressed() {
  PumpMessages();
  return keyQueue.count > 0;
}
