// The page "串口助手": a small serial terminal on the main window's own port, which the ZEL
// control's downloads use as well; the terminal never holds the port while a job runs.
#pragma once

#include "jobs/jobclock.h"
#include "jobs/portaccess.h"
#include "views/receivedecoder.h"
#include "views/terminalsettings.h"
#include "windows/languagecaptions.h"

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace kui {
class Cmd;
}

namespace korvan {

class TerminalPage : public QWidget {
    Q_OBJECT
  public:
    // The auto-send timer runs on `clock`.
    TerminalPage(jobs::PortAccess& port, jobs::JobClock& clock, QWidget* parent = nullptr);

    // Whether a job has the port now; the terminal then stays closed.
    void setBusyCheck(std::function<bool()> busy) { busy_ = std::move(busy); }
    // The increment's next serial number, read at each hexadecimal send for "%N".
    void setSerialSource(std::function<qint64()> serial) { serial_ = std::move(serial); }

    void openTerminal(bool enable, bool open);
    // A job started (false) or ended (true): the controls that would use the port follow.
    void setIdle(bool idle);
    // The user settings of the page: hexadecimal, line break, auto-send period, send text.
    void showUserSettings(bool hex, bool lineBreak, qint64 periodMs, const QString& send);
    // The port button shows "COM" + the port number.
    void showPortNumber(int number);
    // Captions, counters and the settings' lists in the language installed now.
    void retranslate();
    void sendTerminal();
    void appendReceived(const QString& text);
    // Shows what has been received and not shown yet.
    void flushReceived();
    // "[command;]settings" into the combos and the command; returns the settings text.
    QString syncPortSettings(const QString& text, bool settingsOnly);
    // The port settings the combos show, as "9600,N,8,1".
    QString portSettingsText() const { return settings_.portSettingsText(); }
    bool applyPortSettings(const QString& settings);
    void applyPreset(const QString& caption);

    bool terminalOpen() const { return open_; }
    quint32 sentCount() const { return sent_; }
    quint32 receivedCount() const { return received_; }
    void resetSent();
    void resetReceived();

    QPlainTextEdit* sendBox() const { return sendBox_; }
    QPlainTextEdit* receiveBox() const { return receiveBox_; }
    QCheckBox* hexBox() const { return hex_; }
    QCheckBox* lineBreakBox() const { return lineBreak_; }
    QCheckBox* autoSendBox() const { return autoSend_; }
    QLineEdit* periodBox() const { return period_; }
    QPushButton* openButton() const { return openClose_; }
    kui::Cmd* portButton() const { return portButton_; }
    bool autoSending() const { return timer_->isActive(); }
    QComboBox* combo(int index) const { return combos_[size_t(index)]; }
    QComboBox* encodingBox() const { return encoding_; }
    QLabel* settingsLabel() const { return settingsLabel_; }
    QLabel* sentLabel() const { return sentLabel_; }
    QLabel* receivedLabel() const { return receivedLabel_; }

  signals:
    // The user chose other port settings (a combo or a preset).
    void portSettingsEdited();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool busy() const { return busy_ && busy_(); }
    void receive();
    void showCounters();
    void showOpenState();
    void comboChanged();
    void autoSendChanged();

    jobs::PortAccess& port_;
    jobs::JobClock& clock_;
    std::function<bool()> busy_;
    std::function<qint64()> serial_;
    TerminalSettings settings_;
    ReceiveDecoder decoder_;
    bool open_ = false;
    bool suppress_ = false;
    quint32 sent_ = 0;
    quint32 received_ = 0;

    std::array<QComboBox*, TerminalSettings::kComboCount> combos_{};
    QComboBox* encoding_ = nullptr;
    QLabel* settingsLabel_ = nullptr;
    QPlainTextEdit* sendBox_ = nullptr;
    QPlainTextEdit* receiveBox_ = nullptr;
    QPushButton* send_ = nullptr;
    QPushButton* openClose_ = nullptr;
    kui::Cmd* portButton_ = nullptr;
    QCheckBox* hex_ = nullptr;
    QCheckBox* lineBreak_ = nullptr;
    QCheckBox* autoSend_ = nullptr;
    QLineEdit* period_ = nullptr;
    QLabel* sentLabel_ = nullptr;
    QLabel* receivedLabel_ = nullptr;
    std::unique_ptr<jobs::JobTimer> timer_;
    QTimer* flushTimer_ = nullptr;
    QString pending_;
    LanguageCaptions captions_;
};

}  // namespace korvan
