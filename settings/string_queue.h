// StringQueue: the one container of the program, a first-in first-out list of
// owned, zero-terminated 8-bit strings. It holds the feed URLs (urlList, in
// the settings record) and the display lines waiting to be typed (lineQueue).
//
// A queue is listed without being disturbed by one full rotation: pop the
// front, use it, append it back, count() times.
//
// The strings are stored one after another, each with its terminating zero,
// in large blocks (4 KiB growing to 1 MiB; a longer string gets a block of
// its own size): a document of millions of two-byte lines costs about its
// own size, not an allocation per line. append and popFront cost O(1) plus
// the copy; a block is released when its last string has been popped.
#ifndef QUILLON_SETTINGS_STRING_QUEUE_H
#define QUILLON_SETTINGS_STRING_QUEUE_H

#include <stdint.h>

class StringQueue {
 public:
  StringQueue();
  virtual ~StringQueue();

  // Appends a private copy of `text`. Returns the bytes copied (length + 1),
  // or 0 for a null text (nothing is added) or when memory runs out.
  int append(const char* text);

  // Copies the front string into `dst` and removes it from the queue:
  // 0 for an empty queue (dst untouched); -1 for a null dst (queue
  // unchanged); otherwise `capacity` bytes of dst are zeroed, at most
  // `capacity` characters copied (no terminator when the string is that
  // long), and the length of what stands in dst is returned.
  int popFront(char* dst, int capacity);

  int count() const { return count_; }

  // Releases every string and the array.
  void clear();

 private:
  StringQueue(const StringQueue&);
  StringQueue& operator=(const StringQueue&);

  struct Block;    // string_queue.cpp
  Block* front_;   // the oldest block: popFront reads here
  Block* back_;    // the newest block: append writes here
  int32_t count_;
};

#endif
