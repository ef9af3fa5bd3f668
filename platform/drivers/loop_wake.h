// Waking the message loop from another thread. A thread of the program
// (a fetch running beside the loop) posts a message with PostMessageA; the
// message queue then writes a byte into a pipe of its own, whose read end
// every driver's waitEvents watches beside terminationSignalFd(), so the
// wait ends at once and platform/user takes the message.
//
// The layer also counts the program's threads that are running (CreateThread).
// The headless driver's virtual clock asks for them: while one runs, the
// program may be about to receive its result, so the clock gives it real
// time before it jumps ahead (headless README, "Threads and the clock").
#ifndef QUILLON_PLATFORM_DRIVERS_LOOP_WAKE_H
#define QUILLON_PLATFORM_DRIVERS_LOOP_WAKE_H

#include <stdint.h>

// Any thread: makes the pipe readable (a full pipe is readable already).
void wakeMessageLoop();

// The pipe's read end for a driver's poll(), made on first call; -1 when no
// pipe could be made (then only timers and input end a wait).
int messageLoopWakeFd();

// The user-interface thread, before it looks at what other threads posted:
// empties the pipe.
void drainMessageLoopWake();

// CreateThread's threads: one more starts, one has ended.
void noteThreadStarted();
void noteThreadEnded();

// How many of them run now, and how many have ever started (a new number
// means a new piece of work has begun).
int runningThreads();
uint64_t startedThreads();

#endif
