#include "main/recordwindow.h"

#include "atomicsave.h"
#include "core/messages.h"
#include "main/maintexts.h"
#include "record/recordcsv.h"
#include "record/recorddatabase.h"
#include "record/recordsummary.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace korvan {
namespace {

// The latest rows the table shows; the export takes the same rows.
constexpr int kShownRows = 500;

}  // namespace

RecordWindow::RecordWindow(record::RecordDatabase* db, const QString& unavailable, QWidget* parent)
    : QDialog(parent), m_db(db), m_unavailable(unavailable) {
    setWindowTitle(maintext::kProductionRecord);
    auto* layout = new QVBoxLayout(this);
    m_counts = new QLabel(this);
    layout->addWidget(m_counts);
    m_table = new QTableWidget(this);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    const QStringList& titles = record::ShownTitles();
    m_table->setColumnCount(static_cast<int>(titles.size()));
    m_table->setHorizontalHeaderLabels(titles);
    layout->addWidget(m_table);
    auto* buttons = new QHBoxLayout;
    auto* exportButton = new QPushButton(maintext::kRecordExport, this);
    auto* refreshButton = new QPushButton(maintext::kRecordRefresh, this);
    auto* closeButton = new QPushButton(maintext::kRecordClose, this);
    exportButton->setObjectName(QStringLiteral("cmdExport"));
    buttons->addWidget(exportButton);
    buttons->addWidget(refreshButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    connect(exportButton, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, maintext::kRecordExportTitle, {},
                                                          maintext::kRecordExportFilter);
        if (!path.isEmpty()) exportCsv(path);
    });
    connect(refreshButton, &QPushButton::clicked, this, &RecordWindow::refresh);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    exportButton->setEnabled(m_db != nullptr);
    resize(1000, 480);
    refresh();
}

void RecordWindow::refresh() {
    m_rows.clear();
    m_table->setRowCount(0);
    if (!m_db) {
        m_counts->setText(m_unavailable);
        return;
    }
    record::RowFilter latest;
    latest.limit = kShownRows;
    record::RowFilter today;
    today.since = QDate::currentDate().startOfDay();
    const auto rows = m_db->rows(latest);
    const auto todays = rows ? m_db->rows(today) : std::nullopt;
    if (!rows || !todays) {
        m_counts->setText(maintext::RecordUnavailable(m_db->error()));
        return;
    }
    m_rows = *rows;
    const record::DayCounts counts = record::CountDay(*todays, QDate::currentDate());
    m_counts->setText(maintext::RecordTodayCounts(counts.ok, counts.failed));
    m_table->setRowCount(static_cast<int>(m_rows.size()));
    // The latest row on top.
    for (int r = 0; r < m_rows.size(); ++r) {
        const record::ProductionRow& row = m_rows[m_rows.size() - 1 - r];
        const QStringList values = record::ShownValues(row);
        for (int c = 0; c < values.size(); ++c)
            m_table->setItem(r, c, new QTableWidgetItem(values[c]));
        m_table->item(r, static_cast<int>(values.size()) - 1)->setToolTip(row.codeSha256);
    }
    m_table->resizeColumnsToContents();
}

bool RecordWindow::exportCsv(const QString& path) {
    ktext::FileError error;
    if (ktext::SaveFileAtomically(path, record::RowsToCsv(m_rows).toUtf8(), &error)) return true;
    m_counts->setText(maintext::RecordExportFailed(path, msg::FileErrorCause(error)));
    return false;
}

}  // namespace korvan
