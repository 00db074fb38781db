// The message window's rules without the window: what a style number shows and plays, how the
// prompt is split into lines, how large the window grows and where it stands.
#pragma once

#include <QString>
#include <QStringList>

namespace korvan {

// A pressed button, as ShowMessage returns it.
enum MessageResult : int { kResultClosed = 0, kResultOk = 1, kResultCancel = 2 };

struct MessageStyle {
    bool Cancel = false;  // OK and Cancel side by side; else OK alone, centred
    int Icon = 0;         // 0..9, the picture of the window's icon set
    // The prompt sound on activation: "0" for the plain notice icon, "2" (error) for any other.
    QString Sound() const { return Icon == 0 ? QStringLiteral("0") : QStringLiteral("2"); }
    bool operator==(const MessageStyle&) const = default;
};

// Tens digit 2 gives OK and Cancel, any other OK alone; the units digit is the icon. A negative
// style counts as its absolute value.
MessageStyle DecodeMessageStyle(int style);

// Every "<br>" of the prompt becomes CR LF.
QString MessagePromptText(const QString& prompt);
// The lines a label shows: split at CR LF, LF or a lone CR.
QStringList MessageLines(const QString& text);

// The window's size in twips for a prompt of the given size, with h the height of the letter
// "A": wider than 13 h widens the window from 3900 by the excess, taller than 3 h heightens
// it from 2295 by the excess.
struct MessageSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const MessageSize&) const = default;
};
inline constexpr int kMessageBaseWidth = 3900;
inline constexpr int kMessageBaseHeight = 2295;
MessageSize MessageWindowSize(int promptWidth, int promptHeight, int letterHeight);

// Over which window a message stands.
enum class MessageAnchor { Screen, MiniWindow, MainWindow };
// Before the start-up screen (or the mini window) is done: the screen. Afterwards the mini
// window while an unattended run has not shown the main window, else the main window.
MessageAnchor ChooseMessageAnchor(bool splashDone, const QString& commandSwitch, bool mainShown);

}  // namespace korvan
