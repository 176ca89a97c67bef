// What the file layer's tests ask of a folder and of a failure.
#pragma once

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

namespace tolvanex::io {

// Every name in the folder, hidden ones too, sorted.
inline std::vector<std::string> AllNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The portable condition of the failure that the action throws; no value when it throws none.
inline std::errc ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::system_error& failure) {
    return static_cast<std::errc>(failure.code().default_error_condition().value());
  }
  return std::errc();
}

}  // namespace tolvanex::io
