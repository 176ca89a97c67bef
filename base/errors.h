// Failures and the text of their reports. Everything below a trapping routine throws; the
// trapping routine catches once at its top, cleans up and calls ShowError with its label.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tolvanex {

// A failure of ours, described by a short plain sentence. Operating-system failures are thrown
// as std::system_error instead and keep the system's own message.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Descriptions of our own failures.
inline constexpr const char* kOverflow = "Overflow";
inline constexpr const char* kTypeMismatch = "Type mismatch";
inline constexpr const char* kInputPastEndOfFile = "Input past end of file";
inline constexpr const char* kNoFreePostFileName = "No free post file name";
inline constexpr const char* kIdentifierNotAllowed = "Identifier not allowed in a file name";
inline constexpr const char* kLineTooLong = "Line too long";
inline constexpr const char* kDataFileChanged = "The data file changed while it was read";

inline constexpr std::string_view kApplicationTitle = "Tolvanex";
inline constexpr std::string_view kErrorPrefix = "Tolvanex:";

// The description of a failure: its message, with nothing of ours added.
std::string DescriptionOf(std::exception_ptr failure);
// The report text: the description, CR LF, "Tolvanex:" and the label.
std::string ErrorReport(std::string_view description, std::string_view label);

}  // namespace tolvanex
