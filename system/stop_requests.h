// Requests from outside to stop: Ctrl-C, a service stop, `timeout`, the terminal or console going
// away, the session ending (on POSIX the signals SIGINT, SIGTERM and SIGHUP; on Windows the
// console's Ctrl-C, Ctrl-Break, close and shutdown events). A program that watches for them is
// told of each one and decides itself how to end; the first request never ends it by itself.
#pragma once

#include <chrono>

namespace tolvanex {

// Starts counting the requests. With secondEndsProgram, a second request ends the program at
// once, as the request would have without watching (the exit status tells which request it was).
void WatchStopRequests(bool secondEndsProgram);

// The requests counted so far; 0 before watching starts.
int StopRequestCount();

// Waits until more than seenSoFar requests have been counted, or until the timeout has passed;
// true when they have (at once when they already had), false at the timeout. Any number of
// threads may wait at the same time, each woken by every request. Before watching starts no
// request is counted, and the wait lasts the whole timeout. Never throws.
bool WaitForStopRequest(int seenSoFar, std::chrono::milliseconds timeout);

}  // namespace tolvanex
