#include "console/key_queue.h"

#include <algorithm>

KeyQueue keyQueue;

namespace {
constexpr int kCapacity = static_cast<int>(std::tuple_size_v<decltype(KeyQueue::keys)>);
}

bool QueueKey(unsigned char key) {
  if (keyQueue.count >= kCapacity) return false;
  keyQueue.keys[static_cast<std::size_t>(keyQueue.count++)] = key;
  return true;
}

bool QueueExtendedKey(unsigned char code) {
  if (keyQueue.count > kCapacity - 2) return false;
  QueueKey(0);
  QueueKey(code);
  return true;
}

unsigned char TakeKey() {
  const unsigned char key = keyQueue.keys[0];
  std::copy(keyQueue.keys.begin() + 1, keyQueue.keys.begin() + keyQueue.count, keyQueue.keys.begin());
  --keyQueue.count;
  return key;
}

void ClearKeyQueue() { keyQueue.count = 0; }
