// The fault hook as the two sides of the file layer consult it. Not for the layers above: they
// set the hook through file_io.h.
#pragma once

#include <string>

#include "system/file_io.h"

namespace tolvanex::io {

// What the hook says of the operation; no fault when no hook is set.
Fault FaultFor(FileOperation operation, const std::string& path, std::size_t size);
// Throws the hook's error for the operation, if it has one.
void FailIfFaulty(FileOperation operation, const std::string& path, std::size_t size);

}  // namespace tolvanex::io
