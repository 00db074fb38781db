// The main window's image list: the icons of the log lines and the chip tree by number, and the
// log model as the list view shows it (the number turned into its picture).
#pragma once

#include <QIcon>
#include <QIdentityProxyModel>

namespace korvan {

QIcon LogIcon(int number);

class LogIconModel : public QIdentityProxyModel {
  public:
    LogIconModel(QAbstractItemModel& log, QObject* parent);
    QVariant data(const QModelIndex& index, int role) const override;
};

}  // namespace korvan
