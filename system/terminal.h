// The terminal (a console on Windows) that a command-line front end writes to and reads from.
#pragma once

#include <string>

namespace tolvanex {

enum class StandardStream { Input, Output, Error };

// Opens the null device (/dev/null, NUL) in place of a standard stream that is closed, as a job
// started without one may find it, so that a prompt reads no answer and a report goes nowhere.
// On POSIX the first file the program opens would otherwise take the stream's number, and a
// prompt would read its answer from that file, or a report be written into it.
void OpenMissingStandardStreams();

// A write to a pipe whose reader has gone fails (and the program decides how to end) instead of
// ending the program by a signal in the middle of its work (SIGPIPE on POSIX; Windows has no
// such signal, and nothing is to be done there).
void TakeClosedPipesAsWriteErrors();

// True when the stream is a terminal or a console (not a file, a pipe or closed).
bool IsTerminal(StandardStream stream);

// The width in columns of the terminal of the stream; 0 when it is no terminal or does not say.
int TerminalColumns(StandardStream stream);

// One line of standard input, read while stop requests (system/stop_requests.h) are watched.
struct InputLine {
  enum class End {
    Line,         // Text holds a line, without its line end (a last line may lack one)
    EndOfInput,   // no more input: end of file, or standard input is closed
    StopRequest,  // a stop request came while waiting, before a whole line
  };
  End How = End::EndOfInput;
  std::string Text;
};

// Waits for a whole line of standard input, or for a stop request when they are being watched.
// Reads no byte beyond the line's end, so that a later read, by this process or another that
// shares the input, starts with the next line. The wait ends with StopRequest as soon as more
// than stopRequestsSeen requests have been counted (with 0, at once after any request); bytes
// of a line read before it are dropped.
InputLine ReadStandardInputLine(int stopRequestsSeen);

}  // namespace tolvanex
