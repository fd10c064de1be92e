#include "console/key_queue.h"

#include <algorithm>

#include "console/key_codes.h"

KeyQueue keyQueue;

namespace {
constexpr int kCapacity = static_cast<int>(std::tuple_size_v<decltype(KeyQueue::keys)>);
}

bool QueueKey(unsigned char key) {
  if (keyQueue.count >= kCapacity) return false;
  keyQueue.modifiers[static_cast<std::size_t>(keyQueue.count)] = keyQueue.held;
  keyQueue.keys[static_cast<std::size_t>(keyQueue.count++)] = key;
  return true;
}

bool QueueExtendedKey(unsigned char code) {
  if (keyQueue.count > kCapacity - 2) return false;
  QueueKey(kExtendedKey);
  QueueKey(code);
  return true;
}

unsigned char TakeKey() {
  const unsigned char key = keyQueue.keys[0];
  keyQueue.lastTaken = keyQueue.modifiers[0];
  std::copy(keyQueue.keys.begin() + 1, keyQueue.keys.begin() + keyQueue.count, keyQueue.keys.begin());
  std::copy(keyQueue.modifiers.begin() + 1, keyQueue.modifiers.begin() + keyQueue.count, keyQueue.modifiers.begin());
  --keyQueue.count;
  return key;
}

void ClearKeyQueue() { keyQueue.count = 0; }

void SetHeldModifiers(KeyModifiers modifiers) { keyQueue.held = modifiers; }

KeyModifiers LastKeyModifiers() { return keyQueue.lastTaken; }

void SetLastKeyModifiers(KeyModifiers modifiers) { keyQueue.lastTaken = modifiers; }
