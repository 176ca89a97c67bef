// The open-file dialog's filter pairs in the form Qt's file dialog reads them.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "ui/platform.h"

namespace tolvanex::qt {

// One pair as "Description (pattern pattern ...)": the description as the filter text writes
// it, then the patterns in force in brackets, which the dialog hides. The patterns of a pair are
// separated by ";"; "*.*" means every file, which Qt writes "*" (its "*.*" takes only names with
// a dot), so "All files (*.*)" still shows as written and lists every file. A pair without a
// description is described by its pattern.
QString QtNameFilter(const FileFilter& filter);
QStringList QtNameFilters(const std::vector<FileFilter>& filters);

// True when the dialog can show the descriptions alone: Qt finds the hidden patterns only when
// they are made of the characters its filter syntax allows, and would otherwise show nothing.
bool QtCanShowDescriptionsOnly(const QStringList& nameFilters);

}  // namespace tolvanex::qt
