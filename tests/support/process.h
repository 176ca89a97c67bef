// Runs a program as a whole process, as a user's shell would: given stdin, captured stdout and
// stderr, the exit status.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tolvanex::testing {

// Out and Err are text: on Windows the program's CR LF line ends come back as LF, as a reader in
// text mode takes them.
struct ProcessResult {
  int ExitStatus = -1;  // the exit code, or 128 + the signal that ended it
  std::string Out;
  std::string Err;
};

// Runs the program with the arguments; input is what it reads on stdin. The environment is this
// process's, with the given variables set on top.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input = "",
                         const std::map<std::string, std::string>& environment = {});

// Sets a variable of this process's environment; nullptr removes it.
void SetEnvironment(const char* name, const char* value);

}  // namespace tolvanex::testing
