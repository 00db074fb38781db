// The download log as a list model: one row per line, its text prefixed with the time
// (" hh:mm:ss  "), and an icon number from the main window's image list. A step announced
// with "..." (icon 1) is closed by the next line with " OK" or " ERR"; the log clears itself
// beyond 1200 lines. The main window binds a list view to it; korvan-cli prints from it.
#pragma once

#include <QAbstractListModel>
#include <QDateTime>
#include <QString>
#include <vector>

namespace korvan::jobs {

// Icons of the log lines, as numbers of the main window's image list.
namespace icon {
inline constexpr int kStep = 1;  // an open step ("...")
inline constexpr int kDone = 2;  // a step closed with OK
inline constexpr int kFail = 3;  // a step closed with ERR, a failure
inline constexpr int kChip = 4;
inline constexpr int kNote = 6;
inline constexpr int kJob = 7;
inline constexpr int kSuccess = 10;
inline constexpr int kError = 11;
}  // namespace icon

struct LogRow {
    QString text;  // with the time prefix
    int icon = 0;
};

class DownloadLog : public QAbstractListModel {
    Q_OBJECT
  public:
    static constexpr int kMaxLines = 1200;
    enum Role { IconRole = Qt::UserRole + 1 };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // LogLine: closes the open "..." line by `ok` and appends the line stamped with `now`.
    // The line that would be line kMaxLines + 1 clears the log first and stays alone.
    void append(const QString& text, int icon, bool ok, const QDateTime& now);
    void clear();
    int size() const { return static_cast<int>(m_rows.size()); }
    const LogRow& at(int row) const { return m_rows.at(static_cast<size_t>(row)); }
    // The countdown: an open "..." line shows the seconds after its "...".
    void showCountdown(int seconds);

  signals:
    // The newest line, for a view that scrolls it into sight.
    void lineAppended(int row);

  private:
    std::vector<LogRow> m_rows;
};

// " hh:mm:ss  ": the prefix of every line.
QString LogStamp(const QDateTime& now);

}  // namespace korvan::jobs
