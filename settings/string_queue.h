// StringQueue: the one container of the program, a first-in first-out list of
// owned, zero-terminated 8-bit strings. It holds the feed URLs (urlList, in
// the settings record) and the display lines waiting to be typed (lineQueue).
//
// A queue is listed without being disturbed by one full rotation: pop the
// front, use it, append it back, count() times.
//
// The array keeps spare capacity and a moving front, so append and popFront
// both cost O(1) amortized: popping a million lines never shifts the array.
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

  char** items_;   // slots [head_, head_ + count_) hold the strings
  int32_t capacity_;
  int32_t head_;
  int32_t count_;
};

#endif
