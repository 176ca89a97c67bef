// The Windows form of the stop requests' descriptor: an event that is set at each request. The
// terminal waits for it beside standard input.
#pragma once

namespace tolvanex::win32 {

// The event (a HANDLE), set at each request until DrainStopRequestDescriptor resets it; null
// before watching starts.
void* StopRequestEvent();

}  // namespace tolvanex::win32
