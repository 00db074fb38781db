// The two series lists of the main window (the main page's and the option page's), filled with
// the ISP control's series and always showing the control's ListIndex. A choice in either
// switches the series through SeriesOptions, which stores and loads the option values.
#pragma once

#include <QObject>
#include <QPointer>

class QComboBox;

namespace korvan {

class SeriesOptions;

class SeriesLists : public QObject {
    Q_OBJECT

  public:
    // `series` must outlive this object; the lists may go first.
    SeriesLists(SeriesOptions& series, QComboBox* mainList, QComboBox* optionList,
                QObject* parent = nullptr);

    // Both lists get the control's series names and show its selection.
    void fill();
    // Both lists show the control's selection, without switching anything.
    void showCurrent();

  signals:
    // The series changed through one of the lists; its option values are loaded.
    void seriesChanged(int index);

  private:
    void chosen(int index);

    SeriesOptions& m_series;
    QPointer<QComboBox> m_lists[2];
    bool m_updating = false;
};

}  // namespace korvan
