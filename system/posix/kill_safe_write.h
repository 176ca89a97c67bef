// Writing a block of whole lines so that a kill of the program cannot cut it. The system may end
// a large write half way when the writing process is killed, which would leave a cut line at the
// end of a file. Here the write is done by a short-lived child process that shares this one's
// memory: a kill of the program does not reach the child, which finishes the write.
#pragma once

#include <string_view>

namespace tolvanex::io {

// Returned when no child could be started; nothing was written, so the caller writes itself.
inline constexpr int kNoChild = -1;

// Writes all the bytes at the file's current position. Returns 0, the errno of the failure (some
// of the bytes may have been written then), or kNoChild.
int WriteSurvivingKill(int fd, std::string_view bytes);

}  // namespace tolvanex::io
