// The page "自动增量" of the option tab strip: the automatic increment's switch, start address,
// data format and next serial number, each a view of the user settings' owner, and a preview
// of the bytes the format gives now. An edit reaches the owner at once; a change of the owner
// (the number advanced after a download, other settings loaded) reaches the boxes.
#pragma once

#include "core/settingsowner.h"
#include "windows/languagecaptions.h"

#include <QDateTime>
#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace korvan {

class IncrementPage : public QWidget {
    Q_OBJECT

  public:
    // `owner` must outlive the page; `now` is the clock the preview's date and time come from.
    IncrementPage(UserSettingsOwner& owner, std::function<QDateTime()> now,
                  QWidget* parent = nullptr);

    // A download runs: its serial number and data must not change under it.
    void setDownloading(bool downloading);
    // The captions in the language installed now.
    void retranslate() { m_captions.retranslate(); }

    QCheckBox* switchBox() const { return m_chkInc; }
    QLineEdit* addressBox() const { return m_address; }  // txtInc(0)
    QLineEdit* nextBox() const { return m_next; }        // txtInc(2)
    QLineEdit* formatBox() const { return m_format; }    // txtInc(3)
    QLineEdit* previewBox() const { return m_preview; }  // txtInc(4)
    QLabel* countLabel() const { return m_count; }       // labInc(4)
    QRadioButton* hexOption() const { return m_hex; }    // optInc(0)
    QRadioButton* decimalOption() const { return m_decimal; }

  private:
    void build();
    void showSettings();
    void showPreview();

    UserSettingsOwner& m_owner;
    std::function<QDateTime()> m_now;
    LanguageCaptions m_captions;
    QCheckBox* m_chkInc = nullptr;
    QLineEdit* m_address = nullptr;
    QLineEdit* m_next = nullptr;
    QLineEdit* m_format = nullptr;
    QLineEdit* m_preview = nullptr;
    QLabel* m_count = nullptr;
    QRadioButton* m_hex = nullptr;
    QRadioButton* m_decimal = nullptr;
};

}  // namespace korvan
