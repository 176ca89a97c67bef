// Requests from outside to stop: Ctrl-C, a service stop, `timeout`, a terminal that hangs up
// (SIGINT, SIGTERM and SIGHUP on POSIX). A program that watches for them is told of each one and
// decides itself how to end; the first request never ends it by itself.
#pragma once

namespace tolvanex {

// Starts counting the requests. With secondEndsProgram, a second request ends the program at
// once, as the request would have without watching (the exit status tells the signal).
void WatchStopRequests(bool secondEndsProgram);

// The requests counted so far; 0 before watching starts.
int StopRequestCount();

// A descriptor that becomes readable at each request, for an event loop or a wait for input to
// watch beside its own; -1 before watching starts. Reading from it is left to the watcher.
int StopRequestDescriptor();

// Reads what the descriptor holds, so that it is readable again only at the next request. Never
// waits.
void DrainStopRequestDescriptor();

}  // namespace tolvanex
