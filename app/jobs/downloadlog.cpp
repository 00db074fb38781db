#include "jobs/downloadlog.h"

namespace korvan::jobs {

namespace {

const QString kEllipsis = QStringLiteral("...");

// The text up to and including its first "...", or nothing when it has none.
QString UpToEllipsis(const QString& text) {
    const qsizetype at = text.indexOf(kEllipsis);
    return at < 0 ? QString() : text.left(at + kEllipsis.size());
}

}  // namespace

QString LogStamp(const QDateTime& now) {
    return QLatin1Char(' ') + now.time().toString(QStringLiteral("hh:mm:ss")) +
           QStringLiteral("  ");
}

int DownloadLog::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : size();
}

QVariant DownloadLog::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= size()) return {};
    const LogRow& row = at(index.row());
    if (role == Qt::DisplayRole) return row.text;
    if (role == IconRole) return row.icon;
    return {};
}

void DownloadLog::append(const QString& text, int iconNumber, bool ok, const QDateTime& now) {
    if (!m_rows.empty() && m_rows.back().icon == icon::kStep) {
        LogRow& last = m_rows.back();
        const QString head = UpToEllipsis(last.text);
        if (!head.isEmpty()) {
            last.icon = ok ? icon::kDone : icon::kFail;
            last.text = head + (ok ? QStringLiteral(" OK") : QStringLiteral(" ERR"));
            const QModelIndex changed = this->index(size() - 1);
            emit dataChanged(changed, changed);
        }
    }
    // The line that would be the one too many starts a fresh log of its own.
    if (size() >= kMaxLines) clear();
    beginInsertRows({}, size(), size());
    m_rows.push_back(LogRow{LogStamp(now) + text, iconNumber});
    endInsertRows();
    emit lineAppended(size() - 1);
}

void DownloadLog::clear() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void DownloadLog::showCountdown(int seconds) {
    if (m_rows.empty() || m_rows.back().icon != icon::kStep) return;
    LogRow& last = m_rows.back();
    const QString head = UpToEllipsis(last.text);
    if (head.isEmpty()) return;
    last.text = head + QLatin1Char(' ') + QString::number(seconds);
    const QModelIndex changed = index(size() - 1);
    emit dataChanged(changed, changed);
}

}  // namespace korvan::jobs
