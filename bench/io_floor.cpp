#include "io_floor.h"
#include "run_folders.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

namespace bench {

namespace {

constexpr std::size_t kBlock = std::size_t{1} << 20;

bool WriteAll(int fd, const char* bytes, std::size_t size) {
  while (size > 0) {
    ssize_t written = ::write(fd, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// The output file's buffer: lines are copied in one by one and written out a block at a time.
class LineWriter {
 public:
  explicit LineWriter(int fd) : Fd(fd), Buffer(kBlock) {}

  void Append(const char* bytes, std::size_t size) {
    if (Used + size > Buffer.size()) Flush();
    if (size > Buffer.size()) {
      Ok = Ok && WriteAll(Fd, bytes, size);
      Written += static_cast<long long>(size);
      return;
    }
    std::memcpy(Buffer.data() + Used, bytes, size);
    Used += size;
  }

  void Flush() {
    Ok = Ok && WriteAll(Fd, Buffer.data(), Used);
    Written += static_cast<long long>(Used);
    Used = 0;
  }

  bool Ok = true;
  long long Written = 0;

 private:
  int Fd;
  std::vector<char> Buffer;
  std::size_t Used = 0;
};

}  // namespace

FloorRound TimeFloor(const std::string& data, const std::string& output) {
  FloorRound round;
  std::vector<char> block(kBlock);
  ::sync();  // as before every timed run
  auto start = std::chrono::steady_clock::now();
  int in = ::open(data.c_str(), O_RDONLY | O_CLOEXEC);
  int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (in < 0 || out < 0) {
    if (in >= 0) ::close(in);
    if (out >= 0) ::close(out);
    return round;
  }
  LineWriter writer(out);
  long long bytesRead = 0;
  bool readOk = true;
  for (;;) {
    ssize_t got = ::read(in, block.data(), block.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) readOk = false;
    if (got <= 0) break;
    bytesRead += got;
    const char* line = block.data();
    const char* end = block.data() + got;
    while (const char* lineEnd = static_cast<const char*>(
               std::memchr(line, '\n', static_cast<std::size_t>(end - line)))) {
      writer.Append(line, static_cast<std::size_t>(lineEnd + 1 - line));
      ++round.LineEnds;
      line = lineEnd + 1;
    }
    // A line the block cuts goes on in the next one.
    writer.Append(line, static_cast<std::size_t>(end - line));
  }
  writer.Flush();
  ::close(in);
  bool closed = ::close(out) == 0;
  round.Time.Seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  round.Time.Ok = readOk && writer.Ok && closed && writer.Written == bytesRead;
  return round;
}

FloorRound FloorOnce(RunFolders& folders, const std::string& data) {
  FloorRound round = TimeFloor(data, folders.Fresh() + "/floor.out");
  folders.ForgetLast();
  return round;
}

}  // namespace bench
