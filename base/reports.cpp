#include "base/reports.h"

#include <exception>

#include "base/errors.h"

namespace tolvanex {

void ReportFailure(ReportSink& sink, std::string_view label) {
  ReportFailure(sink, DescriptionOf(std::current_exception()), label);
}

void ReportFailure(ReportSink& sink, std::string_view description, std::string_view label) {
  sink.Take(Report{std::string(description), std::string(label)});
}

}  // namespace tolvanex
