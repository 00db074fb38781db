// The option editor inside the ZEL control: one row per option of the selected series (a
// caption with two choices or a list) in a scrolling area that the control window's vertical
// bar moves. The rows mirror an OptionModel; this class only makes, places and colours widgets.
#pragma once

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <memory>
#include <vector>

#include "columnmetric.h"
#include "optionmodel.h"
#include "optiontexts.h"
#include "ui/core/colorrule.h"
#include "zelcontext.h"

class QComboBox;
class QLabel;
class QRadioButton;
class QWidget;

namespace kui {
class cScroll;
}

namespace zel::control {

// The widgets of one row: the panel and, inside it, the caption, the two choices and the list.
struct OptionRowWidgets {
    QWidget* picS = nullptr;
    QLabel* labS = nullptr;
    QRadioButton* Opt1 = nullptr;
    QRadioButton* Opt2 = nullptr;
    QComboBox* Cbo1 = nullptr;
};

class OptionEditor : public QObject {
    Q_OBJECT

  public:
    // Design colours of the row template and the scrolling area.
    static constexpr kui::OleColor kDesignFill = kui::SysWindow;
    static constexpr kui::OleColor kDesignFend = kui::SysWindowText;
    static constexpr kui::OleColor kDesignArea = 0x00EABB99u;

    // Builds the scrolling area and the template row inside `host`. The series come from
    // `series`, their rows from `database` (read at every build); the chip's option bytes and
    // descriptors in `context` are what CommitOptions writes to. All three outlive the editor.
    OptionEditor(QWidget* host, ZelContext& context, const ChipDatabase& database,
                 const SeriesCatalog& series);
    ~OptionEditor() override;

    // Rows for the series at ListIndex: made where missing, rewritten, placed and coloured.
    void BuildOptionEditor();
    // Takes the host window's vertical scroll bar (once): large change 3, minimum 0.
    void SetupScroll();
    // Lays the rows out for the host's present size.
    void Resize();
    void UpdateOptionScroll();

    // Series.
    int16_t ListCount() const;
    QString List(int index) const;
    int16_t ListIndex() const { return m_listIndex; }
    // Stores an index in range that differs from the current one and rebuilds; true then.
    bool setListIndex(int index);

    // Options.
    int16_t OptCount() const { return m_model.OptCount(); }
    int32_t OptValue(int index) const { return m_model.OptValue(index); }
    void setOptValue(int index, int32_t value);
    // Writes the choices into the context's status bytes at its descriptors' positions.
    void CommitOptions();

    // Colours of the rows (even, odd) and the scrolling area.
    kui::OleColor FillColor() const { return m_fill; }
    void setFillColor(kui::OleColor color);
    kui::OleColor FendColor() const { return m_fend; }
    void setFendColor(kui::OleColor color);
    kui::OleColor ForeColor() const { return m_area; }
    void setForeColor(kui::OleColor color);

    // For the control's tests and screenshots.
    const options::OptionModel& model() const { return m_model; }
    int rowWidgetCount() const { return static_cast<int>(m_rows.size()); }
    const OptionRowWidgets& rowWidgets(int index) const { return m_rows.at(index); }
    QWidget* scrollArea() const { return m_picB; }
    kui::cScroll* scroll() const { return m_scroll.get(); }
    // Twips of the scrolling area's height (the rows plus their gaps).
    int scrollAreaTwips() const { return m_areaTwips; }

    // Shows the rows again in the language installed now; the choices stay as they are.
    void retranslate();

  private:
    void translateRows();
    OptionRowWidgets makeRow(int index);
    void showRow(int index);
    void placeRow(int index);
    void syncChoices();
    void onChoice(int index, bool first);
    void onListPick(int index, int listIndex);
    void colourRow(const OptionRowWidgets& w, int index);
    void placeArea();
    int areaWidthPixels() const;
    int toPixelsX(int twips) const;
    int toPixelsY(int twips) const;
    int toTwipsY(int pixels) const;

    QWidget* m_host;
    ZelContext& m_ctx;
    const ChipDatabase& m_database;
    const SeriesCatalog& m_series;
    QPointer<QWidget> m_picB;
    std::vector<OptionRowWidgets> m_rows;
    options::OptionModel m_model;
    // The model's rows as shown, in the language installed now.
    std::vector<options::ShownRow> m_shown;
    std::unique_ptr<kui::cScroll> m_scroll;
    ColumnMetric m_metric;
    int16_t m_listIndex = 0;
    int m_areaTwips = 0;
    bool m_syncing = false;
    kui::OleColor m_fill = kDesignFill;
    kui::OleColor m_fend = kDesignFend;
    kui::OleColor m_area = kDesignArea;
};

}  // namespace zel::control
