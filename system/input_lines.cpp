// ReadStandardInputLine over each side's wait for a byte of standard input and its reading.
#include "system/standard_input.h"
#include "system/terminal.h"

namespace tolvanex {

InputLine ReadStandardInputLine(int stopRequestsSeen) {
  if (auto whole = standard_input::ReadWholeLine(stopRequestsSeen)) return *whole;
  InputLine line;
  // One byte at a time: the answer is a short line, and no byte after it may be taken from
  // whatever else reads this input.
  for (;;) {
    if (!standard_input::WaitForByte(stopRequestsSeen)) {
      // The bytes of an unfinished line are no answer.
      return InputLine{InputLine::End::StopRequest, std::string()};
    }
    char byte = 0;
    switch (standard_input::ReadByte(byte)) {
      case standard_input::ByteRead::Interrupted:
        continue;
      case standard_input::ByteRead::EndOfInput:
        line.How = line.Text.empty() ? InputLine::End::EndOfInput : InputLine::End::Line;
        return line;
      case standard_input::ByteRead::Byte:
        break;
    }
    if (byte == '\n') {
      line.How = InputLine::End::Line;
      return line;
    }
    line.Text += byte;
  }
}

}  // namespace tolvanex
