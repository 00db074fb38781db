// The chip series of the ISP control and the option values stored for each series. The two
// series lists of the main window show the control's ListIndex; every series keeps its own
// option values in section "Option" of the settings file, key = the series index. An open
// download task is read but never written.
#pragma once

#include <QString>
#include <QStringList>

namespace zelisp {
class IZelIsp;
}

namespace korvan {

class CodeWorkspace;

class SeriesOptions {
  public:
    // Both must outlive this object; the workspace names the settings file and the task mode.
    SeriesOptions(zelisp::IZelIsp& control, const CodeWorkspace& workspace);

    // The control's series names, List(0) .. List(ListCount - 1).
    QStringList SeriesNames() const;
    int Current() const;

    // The control's option values in decimal, joined with ","; "" when the series has none.
    QString CurrentValues() const;
    // Stored values fitted to the series' option count; empty entries leave an option alone.
    void ApplyValues(const QString& values);

    // Writes the values under the current series into `file` (the settings file when empty).
    // False when nothing was written: no options, a task is open, or the write failed.
    bool SaveOptions(const QString& file = {});
    // Reads the current series' values from `file` (the settings file when empty); an open
    // task is read from its packed file.
    void LoadOptions(const QString& file = {});

    // A selection change in either series list: the old series' values are stored, the new
    // series selected and its values loaded. Returns the series both lists show now (the
    // control's, which ignores an index it does not have).
    int SelectSeries(int index);
    // The chip reported another series than the selected one: the same switch.
    int AdoptDetectedSeries(int index) { return SelectSeries(index); }
    // A series read from settings (`file`, the settings file when empty): selected and its
    // values loaded from there, but the values of the series before are not stored, since the
    // settings file may already be another one.
    int SelectStoredSeries(int index, const QString& file = {});

  private:
    QString readStored(const QString& file) const;

    zelisp::IZelIsp& m_control;
    const CodeWorkspace& m_workspace;
};

}  // namespace korvan
