// "系统设置": the modal dialog over the program settings, the prompt sounds, the colour
// adjustment, the IDE entry and the file associations. A view over SettingsForm: the controls
// are filled from it on opening and read back into it on OK; only the colour preview on the
// dialog itself happens before OK.
#pragma once

#include "settings/settingsform.h"
#include "windows/skinneddialog.h"

#include <QList>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QTreeWidget;

namespace kui {
class Cmd;
class vTab;
}  // namespace kui

namespace korvan {

// What OK (and the counter button) change outside Config.ini, supplied by the main window.
struct SettingsActions {
    std::function<void()> ClearCounter;
    std::function<void(const std::array<int, 3>&)> AdjustMainWindow;
    std::function<void(bool)> SetIdeTool;
    std::function<void(int row, bool associate)> SetAssociation;
};

class SettingsDialog : public SkinnedDialog {
    Q_OBJECT

  public:
    SettingsDialog(const SettingsForm& form, SettingsActions actions, QWidget* parent = nullptr);
    ~SettingsDialog() override;

    // The controls as the user left them.
    SettingsForm form() const;

    kui::vTab* tabs() const { return m_tabs; }
    QComboBox* secondsCombo() const { return m_seconds; }
    QLineEdit* databaseBox() const { return m_database; }
    // Under the database box: why OK refused its text.
    QLabel* databaseProblem() const { return m_databaseProblem; }
    QComboBox* baudCombo() const { return m_baud; }
    QLineEdit* repeatCountBox() const { return m_repeatCount; }
    QSlider* slider(int channel) const { return m_sliders[channel]; }
    QLabel* sliderLabel(int channel) const { return m_sliderLabels[channel]; }
    QCheckBox* colorSwitch() const { return m_colorOpen; }
    QLineEdit* soundBox(int i) const { return m_soundBoxes[i]; }
    QTreeWidget* fileTypes() const { return m_fileTypes; }
    kui::Cmd* tickAllButton() const { return m_tickAll; }
    kui::Cmd* untickAllButton() const { return m_untickAll; }
    kui::Cmd* clearCounterButton() const { return m_clearCounter; }
    const QList<QWidget*>& pages() const { return m_pages; }
    kui::Cmd* okButton() const { return m_ok; }
    kui::Cmd* cancelButton() const { return m_cancel; }
    // The adjustment previewed on the dialog last.
    std::array<int, 3> previewed() const { return m_previewed; }

  protected:
    void layoutClient() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* buildGeneralPage(const SettingsForm& form);
    QWidget* buildSoundPage(const SettingsForm& form);
    QWidget* buildAssociationPage(const SettingsForm& form);
    QWidget* buildColourPage(const SettingsForm& form);
    kui::Cmd* makeButton(QWidget* parent, const QString& caption);
    void browseSound(int i);
    void sliderMoved(int channel, int value);
    void colourSwitched(bool on);
    void preview(const std::array<int, 3>& percent);
    void setAllTicked(bool ticked);
    void applyAndClose();

    SettingsActions m_actions;
    kui::vTab* m_tabs = nullptr;
    QList<QWidget*> m_pages;
    QCheckBox* m_openLast = nullptr;
    QCheckBox* m_autoClose = nullptr;
    QCheckBox* m_count = nullptr;
    QLineEdit* m_repeatCount = nullptr;
    QLineEdit* m_database = nullptr;
    QLabel* m_databaseProblem = nullptr;
    QCheckBox* m_openRts = nullptr;
    QComboBox* m_baud = nullptr;
    QComboBox* m_seconds = nullptr;
    QCheckBox* m_ideTool = nullptr;
    kui::Cmd* m_clearCounter = nullptr;
    QCheckBox* m_soundOpen = nullptr;
    std::array<QLineEdit*, 3> m_soundBoxes{};
    QTreeWidget* m_fileTypes = nullptr;
    kui::Cmd* m_tickAll = nullptr;
    kui::Cmd* m_untickAll = nullptr;
    QCheckBox* m_colorOpen = nullptr;
    std::array<QSlider*, 3> m_sliders{};
    std::array<QLabel*, 3> m_sliderLabels{};
    std::array<int, 3> m_previewed{};
    kui::Cmd* m_ok = nullptr;
    kui::Cmd* m_cancel = nullptr;
};

}  // namespace korvan
