#include "base/errors.h"

#include <system_error>

namespace tolvanex {

std::string DescriptionOf(std::exception_ptr failure) {
  try {
    if (failure) std::rethrow_exception(failure);
  } catch (const std::system_error& e) {
    return e.code().message();
  } catch (const std::bad_alloc&) {
    return "Out of memory";
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
  }
  return std::string();
}

std::string ErrorReport(std::string_view description, std::string_view label) {
  std::string report(description);
  report += "\r\n";
  report += kErrorPrefix;
  report += label;
  return report;
}

}  // namespace tolvanex
