// The open-file dialog's filter pairs in the form Qt's file dialog reads them.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "model/platform.h"

namespace tolvanex::qt {

// One pair as "Description (pattern pattern ...)". The patterns of a pair are separated by ";";
// "*.*" means every file, which Qt writes "*" (its "*.*" takes only names with a dot). A
// description that already ends with its pattern in brackets is not given it a second time.
QString QtNameFilter(const FileFilter& filter);
QStringList QtNameFilters(const std::vector<FileFilter>& filters);

}  // namespace tolvanex::qt
