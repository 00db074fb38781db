#include "windows/serieslists.h"

#include <QComboBox>

#include "dbtext.h"

#include "views/seriesoptions.h"

namespace korvan {

SeriesLists::SeriesLists(SeriesOptions& series, QComboBox* mainList, QComboBox* optionList,
                         QObject* parent)
    : QObject(parent), m_series(series), m_lists{mainList, optionList} {
    for (const QPointer<QComboBox>& list : m_lists)
        if (list) connect(list, &QComboBox::currentIndexChanged, this, &SeriesLists::chosen);
}

void SeriesLists::fill() {
    // The control's names stay Chinese, as stored series are matched by them; only the lists
    // show them in the language installed now. A choice is taken by its place in the list.
    QStringList names = m_series.SeriesNames();
    for (QString& name : names) name = i18n::DbText(name);
    m_updating = true;
    for (const QPointer<QComboBox>& list : m_lists) {
        if (!list) continue;
        list->clear();
        list->addItems(names);
    }
    m_updating = false;
    showCurrent();
}

void SeriesLists::showCurrent() {
    const int current = m_series.Current();
    m_updating = true;
    for (const QPointer<QComboBox>& list : m_lists)
        if (list && list->currentIndex() != current) list->setCurrentIndex(current);
    m_updating = false;
}

void SeriesLists::chosen(int index) {
    if (m_updating || index < 0) return;
    const int before = m_series.Current();
    m_series.SelectSeries(index);
    showCurrent();
    if (m_series.Current() != before) emit seriesChanged(m_series.Current());
}

}  // namespace korvan
