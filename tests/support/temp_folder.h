// A fresh folder for one test, removed with everything in it when the test ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolvanex::testing {

class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  const std::string& Path() const { return path_; }
  // The full path of a name inside the folder.
  std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  std::string path_;
};

// Whole-file helpers for tests.
void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
// Takes every write permission away (on Windows: sets the read-only attribute).
void MakeReadOnly(const std::string& path);
// The names in a folder that a user sees there, sorted: the hidden ones (the lock file that a
// run leaves in every folder it writes to, temporaries) left out.
std::vector<std::string> NamesIn(const std::string& folder);

}  // namespace tolvanex::testing
