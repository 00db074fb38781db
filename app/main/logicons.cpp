#include "main/logicons.h"

#include "jobs/downloadlog.h"
#include "windows/messageicons.h"

namespace korvan {

namespace {

// The message window's drawn set stands in for the image list: number → its picture.
int MessageDigitFor(int number) {
    switch (number) {
        case jobs::icon::kStep:
            return 8;  // clock
        case jobs::icon::kDone:
            return 4;  // tick
        case jobs::icon::kFail:
            return 1;  // cross
        case jobs::icon::kChip:
            return 9;  // chip
        case jobs::icon::kNote:
            return 0;  // notice
        case jobs::icon::kJob:
            return 6;  // information
        case jobs::icon::kSuccess:
            return 4;  // tick
        case jobs::icon::kError:
            return 2;  // error
        default:
            return 0;
    }
}

}  // namespace

QIcon LogIcon(int number) {
    QIcon icon;
    icon.addPixmap(MessageIcon(MessageDigitFor(number), 16));
    icon.addPixmap(MessageIcon(MessageDigitFor(number), 32));
    return icon;
}

LogIconModel::LogIconModel(QAbstractItemModel& log, QObject* parent) : QIdentityProxyModel(parent) {
    setSourceModel(&log);
}

QVariant LogIconModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::DecorationRole) {
        const QVariant number = QIdentityProxyModel::data(index, jobs::DownloadLog::IconRole);
        if (number.isValid()) return LogIcon(number.toInt());
    }
    return QIdentityProxyModel::data(index, role);
}

}  // namespace korvan
