// Lines of a text that arrives in blocks, as a file read piece by piece does, by the rules of
// ForEachLine: CR LF, a lone CR and a lone LF each end a line, and a last line without an end
// counts too. A line may straddle blocks; a CR at the end of one block and an LF at the start of
// the next end one line, not two.
#pragma once

#include <string>
#include <string_view>

#include "formats/line_splitter.h"

namespace tolvanex {

class BlockLineSplitter {
 public:
  // Calls lineHandler(std::string_view line) for every line that the block completes. A line
  // that lies wholly in the block is handed over in place, without a copy.
  template <typename LineHandler>
  void Feed(std::string_view block, LineHandler&& lineHandler) {
    std::size_t start = 0;
    if (skipLineFeed_ && !block.empty()) {
      skipLineFeed_ = false;
      if (block.front() == '\n') start = 1;
    }
    while (start < block.size()) {
      std::size_t end = FindLineBreak(block, start);
      if (end == std::string_view::npos) {
        partial_.append(block.substr(start));
        return;
      }
      if (partial_.empty()) {
        lineHandler(block.substr(start, end - start));
      } else {
        partial_.append(block.substr(start, end - start));
        lineHandler(std::string_view(partial_));
        partial_.clear();
      }
      start = end + 1;
      if (block[end] == '\r') {
        // Whether an LF belongs to this CR may only show in the next block.
        if (start == block.size()) {
          skipLineFeed_ = true;
        } else if (block[start] == '\n') {
          ++start;
        }
      }
    }
  }

  // Hands over a last line that no line end closed.
  template <typename LineHandler>
  void Finish(LineHandler&& lineHandler) {
    if (!partial_.empty()) lineHandler(std::string_view(partial_));
    partial_.clear();
    skipLineFeed_ = false;
  }

 private:
  std::string partial_;        // the start of a line that the blocks so far have not ended
  bool skipLineFeed_ = false;  // the last block ended in CR: an LF at the next one's start is its
};

}  // namespace tolvanex
