// The fetch cycle's politeness: a saver runs all night, and a list whose
// URLs give no text would otherwise be fetched again every line pause.
//
// A round is as many fetches as the list held URLs when it began. When a
// whole round gave no line at all (every document empty, every feed without
// items), the next round waits 30 seconds; each further round without a
// line doubles the wait, up to 10 minutes. The first line that arrives ends
// the waiting at once. Error lines count as lines: a failing URL shows them
// and the next URL follows as usual.
#ifndef QUILLON_FEED_FETCH_CYCLE_H
#define QUILLON_FEED_FETCH_CYCLE_H

#include <windows.h>

// A fetch starts; `listSize` is the number of URLs in the list now.
void noteFetchStarted(int listSize);

// The fetch ended having given `lines` lines (0: nothing to type).
void noteFetchEnded(int lines);

// Milliseconds to wait before the next fetch may start.
DWORD fetchCycleDelay();

// Forgets every round (a new run).
void resetFetchCycle();

#endif
