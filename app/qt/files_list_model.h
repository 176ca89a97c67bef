// The output files list as a Qt list model. The view asks only for the rows it shows, so a list
// of a million rows costs no more to show than a short one.
#pragma once

#include <QAbstractListModel>
#include <cstdint>

#include "ui/sorted_list.h"

namespace tolvanex::qt {

class FilesListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit FilesListModel(const SortedListBox& list, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // Reads the list again when it has changed since the last look; true when it had.
  bool Refresh();
  // True when the view shows the list as it stands.
  bool Current() const { return revision_ == list_.Revision(); }
  // The view itself made the latest change (a new selection), which holds no new rows.
  void TakeSelectionChange() { revision_ = list_.Revision(); }

 private:
  const SortedListBox& list_;
  std::uint64_t revision_;
  // The rows the view was last told of. Until the next refresh the view asks only for these,
  // even while a routine changes the list under it (a modal box shows the window meanwhile).
  int rows_;
};

}  // namespace tolvanex::qt
