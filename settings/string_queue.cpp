// StringQueue: owned strings packed into a chain of blocks (string_queue.h).
#include "settings/string_queue.h"

#include <stdlib.h>
#include <string.h>

// A block of text: `used` bytes of zero-terminated strings follow the
// header, the first `head` of them already popped.
struct StringQueue::Block {
  Block* next;
  size_t size;  // bytes of text the block can hold
  size_t used;
  size_t head;
  char* text() { return reinterpret_cast<char*>(this + 1); }
};

namespace {

const size_t kFirstBlock = 4u << 10;
const size_t kLargestBlock = 1u << 20;

}  // namespace

StringQueue::StringQueue() : front_(nullptr), back_(nullptr), count_(0) {}

StringQueue::~StringQueue() { clear(); }

int StringQueue::append(const char* text) {
  if (text == nullptr || count_ == INT32_MAX) return 0;
  size_t size = strlen(text) + 1;
  if (size > static_cast<size_t>(INT32_MAX)) return 0;  // its length would not fit the result
  if (back_ == nullptr || back_->size - back_->used < size) {
    // A new block, twice the last one up to the largest size, or as large
    // as the string.
    size_t blockSize = back_ == nullptr ? kFirstBlock : back_->size * 2;
    if (blockSize > kLargestBlock) blockSize = kLargestBlock;
    if (blockSize < size) blockSize = size;
    Block* block = static_cast<Block*>(malloc(sizeof(Block) + blockSize));
    if (block == nullptr) return 0;
    block->next = nullptr;
    block->size = blockSize;
    block->used = 0;
    block->head = 0;
    if (back_ != nullptr)
      back_->next = block;
    else
      front_ = block;
    back_ = block;
  }
  memcpy(back_->text() + back_->used, text, size);
  back_->used += size;
  count_++;
  return static_cast<int>(size);
}

int StringQueue::popFront(char* dst, int capacity) {
  if (count_ == 0) return 0;
  if (dst == nullptr) return -1;
  const char* front = front_->text() + front_->head;
  size_t size = strlen(front) + 1;
  int length = 0;
  if (capacity > 0) {
    memset(dst, 0, static_cast<size_t>(capacity));
    strncpy(dst, front, static_cast<size_t>(capacity));
    length = static_cast<int>(strnlen(dst, static_cast<size_t>(capacity)));
  }
  front_->head += size;
  count_--;
  if (front_->head == front_->used) {
    if (front_ == back_) {
      // The only block is empty: it is written from its start again.
      front_->head = 0;
      front_->used = 0;
    } else {
      Block* used = front_;
      front_ = used->next;
      free(used);
    }
  }
  return length;
}

void StringQueue::clear() {
  while (front_ != nullptr) {
    Block* next = front_->next;
    free(front_);
    front_ = next;
  }
  back_ = nullptr;
  count_ = 0;
}
