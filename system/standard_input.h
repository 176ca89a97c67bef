// What reading a line of standard input (ReadStandardInputLine, system/input_lines.cpp) needs of
// each side of the seam: a wait for the next byte that a stop request ends, and the reading of
// that byte. For the seam's own files; the layers above read lines through system/terminal.h.
#pragma once

#include <optional>

#include "system/terminal.h"

namespace tolvanex::standard_input {

// A line that this side reads whole rather than byte by byte; no value when the input is read a
// byte at a time. A console on Windows hands out a line in its own characters once Enter ends
// it, and is read in them; a standard input that is closed there ends at once.
std::optional<InputLine> ReadWholeLine(int stopRequestsSeen);

// Waits until standard input holds a byte, is at its end or is closed, or until more than
// stopRequestsSeen stop requests have been counted; false for a request.
bool WaitForByte(int stopRequestsSeen);

enum class ByteRead {
  Byte,         // the byte was read
  EndOfInput,   // end of file, or standard input is closed
  Interrupted,  // a signal broke the read off before a byte came: wait again
};
// Reads one byte, never more, so that the next byte stays with the input.
ByteRead ReadByte(char& byte);

}  // namespace tolvanex::standard_input
