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
  // The full path of a name inside the folder, spelt as the program spells it: "a/b.txt" is
  // "<folder>\a\b.txt" on Windows.
  std::string operator/(std::string_view name) const;

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

// What the system says, in its own words, when a file is opened that is not there; in a folder
// that is not there; that is a folder; under a name that is a file, not a folder; and when a
// name is longer than a file name may be. Each is provoked through the file layer, so that a
// test expects exactly the report that the program gives on this system ("No such file or
// directory" on Linux, "File not found." under Wine).
std::string MissingFileText();
std::string MissingFolderText();
std::string FolderAsFileText();
std::string FileAsFolderText();
std::string NameTooLongText();

}  // namespace tolvanex::testing
