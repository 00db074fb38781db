// The data grid's model: the code buffer seen as rows of 16 bytes, formatted when the view asks,
// so that a 16 MiB buffer (a million rows) shows at once.
#pragma once

#include "views/gridrows.h"

#include <QAbstractTableModel>
#include <QIcon>

namespace korvan {

class CodeGridModel : public QAbstractTableModel {
  public:
    explicit CodeGridModel(QObject* parent = nullptr);

    // Rebuilds from `buffer`, which must outlive the model or the next reset.
    void reset(const CodeBuffer* buffer);
    void rowChanged(int row);
    const GridRows& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    GridRows rows_;
    QIcon rowIcon_;
};

}  // namespace korvan
