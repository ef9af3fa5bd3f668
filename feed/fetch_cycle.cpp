// Rounds of the URL list and the wait after a round without a line
// (fetch_cycle.h).
#include "feed/fetch_cycle.h"

namespace {

const DWORD kFirstWaitMs = 30 * 1000;
const DWORD kLongestWaitMs = 10 * 60 * 1000;

int fetchesLeftInRound = 0;
bool roundGaveLines = false;
DWORD waitMs = 0;

}  // namespace

void noteFetchStarted(int listSize) {
  if (fetchesLeftInRound > 0) return;
  fetchesLeftInRound = listSize > 0 ? listSize : 1;
  roundGaveLines = false;
}

void noteFetchEnded(int lines) {
  if (lines > 0) {
    roundGaveLines = true;
    waitMs = 0;
  }
  if (fetchesLeftInRound > 0 && --fetchesLeftInRound == 0 && !roundGaveLines)
    waitMs = waitMs == 0 ? kFirstWaitMs : (waitMs >= kLongestWaitMs / 2 ? kLongestWaitMs : waitMs * 2);
}

DWORD fetchCycleDelay() { return fetchesLeftInRound == 0 ? waitMs : 0; }

void resetFetchCycle() {
  fetchesLeftInRound = 0;
  roundGaveLines = false;
  waitMs = 0;
}
