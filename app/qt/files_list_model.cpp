#include "app/qt/files_list_model.h"

#include <algorithm>
#include <limits>

#include "app/qt/qt_text.h"

namespace tolvanex::qt {

namespace {

int RowsOf(const SortedListBox& list) {
  return static_cast<int>(
      std::min<std::int64_t>(list.ListCount(), std::numeric_limits<int>::max()));
}

}  // namespace

FilesListModel::FilesListModel(const SortedListBox& list, QObject* parent)
    : QAbstractListModel(parent), list_(list), revision_(list.Revision()), rows_(RowsOf(list)) {}

int FilesListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant FilesListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= list_.ListCount()) return QVariant();
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return QVariant();
  return ToQt(list_.List(index.row()));
}

bool FilesListModel::Refresh() {
  if (Current()) return false;
  beginResetModel();
  revision_ = list_.Revision();
  rows_ = RowsOf(list_);
  endResetModel();
  return true;
}

}  // namespace tolvanex::qt
