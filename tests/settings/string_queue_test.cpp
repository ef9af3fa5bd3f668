// StringQueue: results of append and popFront, ownership, rotation, and
// front removal that stays cheap for long queues.
#include "settings/string_queue.h"

#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

TEST(StringQueue, AppendReturnsBytesCopiedAndNullAddsNothing) {
  StringQueue q;
  EXPECT_EQ(q.append("abc"), 4);
  EXPECT_EQ(q.append(""), 1);
  EXPECT_EQ(q.append(nullptr), 0);
  EXPECT_EQ(q.count(), 2);
}

TEST(StringQueue, PopFromEmptyLeavesDestinationUntouched) {
  StringQueue q;
  char dst[8] = "keep";
  EXPECT_EQ(q.popFront(dst, 7), 0);
  EXPECT_STREQ(dst, "keep");
  q.append("x");
  q.clear();
  EXPECT_EQ(q.count(), 0);
  EXPECT_EQ(q.popFront(dst, 7), 0);
  EXPECT_STREQ(dst, "keep");
}

TEST(StringQueue, PopIntoNullDestinationKeepsQueue) {
  StringQueue q;
  q.append("one");
  EXPECT_EQ(q.popFront(nullptr, 10), -1);
  EXPECT_EQ(q.count(), 1);
}

TEST(StringQueue, EmptyStringPopsAsZeroFilledEntry) {
  StringQueue q;
  q.append("");
  char dst[6] = "xxxxx";
  EXPECT_EQ(q.popFront(dst, 5), 0);
  EXPECT_EQ(q.count(), 0);
  for (int i = 0; i < 5; i++) EXPECT_EQ(dst[i], 0) << i;
}

TEST(StringQueue, LongStringIsCutToCapacity) {
  StringQueue q;
  std::string longLine(300, 'a');
  longLine[254] = 'Z';
  longLine[255] = 'Y';
  q.append(longLine.c_str());
  char line[256];
  line[255] = 0;
  EXPECT_EQ(q.popFront(line, 255), 255);
  EXPECT_EQ(line[254], 'Z');
  EXPECT_EQ(line[255], 0);  // the caller's terminator, untouched
  EXPECT_EQ(strlen(line), 255u);
}

TEST(StringQueue, StringOfExactlyCapacityHasNoTerminatorAdded) {
  StringQueue q;
  q.append("abcd");
  char dst[6] = "#####";
  EXPECT_EQ(q.popFront(dst, 4), 4);
  EXPECT_EQ(std::string(dst, 5), "abcd#");
}

TEST(StringQueue, OwnsCopies) {
  StringQueue q;
  char text[] = "original";
  q.append(text);
  text[0] = 'X';
  char dst[16];
  q.popFront(dst, 15);
  EXPECT_STREQ(dst, "original");
}

TEST(StringQueue, RotationKeepsOrder) {
  StringQueue q;
  const char* items[] = {"U1", "U2", "U3"};
  for (const char* item : items) q.append(item);
  char buf[16];
  for (int round = 0; round < 3; round++) {
    for (int i = 0; i < q.count(); i++) {
      q.popFront(buf, 15);
      EXPECT_STREQ(buf, items[i]);
      q.append(buf);
    }
  }
  EXPECT_EQ(q.count(), 3);
}

TEST(StringQueue, InterleavedAppendAndPopKeepFifoOrderAcrossGrowth) {
  // Pops and appends interleaved so the front moves and the array is both
  // compacted and grown many times.
  StringQueue q;
  int next = 0, expected = 0;
  char buf[32];
  for (int step = 0; step < 20000; step++) {
    q.append(std::to_string(next++).c_str());
    if (step % 3 != 0) q.append(std::to_string(next++).c_str());
    if (step % 2 == 0) {
      ASSERT_GT(q.popFront(buf, 31), 0);
      ASSERT_EQ(std::stoi(buf), expected++);
    }
  }
  while (q.count() > 0) {
    q.popFront(buf, 31);
    ASSERT_EQ(std::stoi(buf), expected++);
  }
  EXPECT_EQ(expected, next);
}

TEST(StringQueue, ZeroOrNegativeCapacityDropsTheFrontSafely) {
  StringQueue q;
  q.append("abc");
  q.append("def");
  char dst[4] = "zz";
  EXPECT_EQ(q.popFront(dst, 0), 0);
  EXPECT_EQ(q.popFront(dst, -5), 0);
  EXPECT_STREQ(dst, "zz");
  EXPECT_EQ(q.count(), 0);
}

// Strings of every size, from empty to larger than a block, interleaved with
// pops, come back whole and in order; a rotation across blocks keeps the
// order too.
TEST(StringQueue, StringsOfEverySizeAcrossBlocks) {
  const size_t sizes[] = {0, 1, 2, 100, 4095, 4096, 5000, 70000, (1u << 20) - 1, 1u << 20,
                          (1u << 20) + 7, 3, 0, 2000000};
  StringQueue q;
  std::vector<std::string> expected;
  for (int round = 0; round < 3; round++)
    for (size_t size : sizes) {
      std::string text(size, static_cast<char>('a' + expected.size() % 26));
      if (size > 0) text[size - 1] = 'Z';
      ASSERT_EQ(q.append(text.c_str()), static_cast<int>(size + 1));
      expected.push_back(text);
    }
  std::vector<char> buffer(2100000);
  int capacity = static_cast<int>(buffer.size() - 1);
  for (size_t i = 0; i < expected.size(); i++) {  // one rotation
    ASSERT_EQ(q.popFront(buffer.data(), capacity), static_cast<int>(expected[i].size()));
    ASSERT_EQ(q.append(buffer.data()), static_cast<int>(expected[i].size() + 1));
  }
  for (size_t i = 0; i < expected.size(); i++) {
    ASSERT_EQ(q.popFront(buffer.data(), capacity), static_cast<int>(expected[i].size())) << i;
    ASSERT_EQ(std::string(buffer.data()), expected[i]) << i;
  }
  EXPECT_EQ(q.count(), 0);
  q.append("after");
  ASSERT_EQ(q.popFront(buffer.data(), capacity), 5);
  EXPECT_STREQ(buffer.data(), "after");
}
