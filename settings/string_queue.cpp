// StringQueue: owned strings in a growable array with a moving front.
#include "settings/string_queue.h"

#include <stdlib.h>
#include <string.h>

StringQueue::StringQueue() : items_(nullptr), capacity_(0), head_(0), count_(0) {}

StringQueue::~StringQueue() { clear(); }

int StringQueue::append(const char* text) {
  if (text == nullptr) return 0;
  if (head_ + count_ == capacity_) {
    if (head_ > 0 && head_ >= capacity_ / 2) {
      // At least half the array is free in front: move the strings down
      // instead of growing. Each string moves at most once per halving.
      memmove(items_, items_ + head_, sizeof(char*) * static_cast<size_t>(count_));
      head_ = 0;
    } else {
      int32_t grown = capacity_ < 8 ? 8 : capacity_ * 2;
      if (grown < capacity_) return 0;  // cannot grow further
      char** bigger = static_cast<char**>(realloc(items_, sizeof(char*) * static_cast<size_t>(grown)));
      if (bigger == nullptr) return 0;
      items_ = bigger;
      capacity_ = grown;
    }
  }
  size_t size = strlen(text) + 1;
  char* copy = static_cast<char*>(malloc(size));
  if (copy == nullptr) return 0;
  memcpy(copy, text, size);
  items_[head_ + count_] = copy;
  count_++;
  return static_cast<int>(size);
}

int StringQueue::popFront(char* dst, int capacity) {
  if (count_ == 0) return 0;
  if (dst == nullptr) return -1;
  char* front = items_[head_];
  int length = 0;
  if (capacity > 0) {
    memset(dst, 0, static_cast<size_t>(capacity));
    strncpy(dst, front, static_cast<size_t>(capacity));
    length = static_cast<int>(strnlen(dst, static_cast<size_t>(capacity)));
  }
  free(front);
  head_++;
  count_--;
  if (count_ == 0) head_ = 0;
  return length;
}

void StringQueue::clear() {
  for (int32_t i = 0; i < count_; i++) free(items_[head_ + i]);
  free(items_);
  items_ = nullptr;
  capacity_ = 0;
  head_ = 0;
  count_ = 0;
}
