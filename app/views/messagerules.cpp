#include "views/messagerules.h"

#include <QRegularExpression>
#include <cstdlib>

namespace korvan {

MessageStyle DecodeMessageStyle(int style) {
    const int value = std::abs(style);
    return {(value / 10) % 10 == 2, value % 10};
}

QString MessagePromptText(const QString& prompt) {
    QString text = prompt;
    return text.replace(QStringLiteral("<br>"), QStringLiteral("\r\n"));
}

QStringList MessageLines(const QString& text) {
    static const QRegularExpression kBreak(QStringLiteral("\r\n|\n|\r"));
    return text.split(kBreak);
}

MessageSize MessageWindowSize(int promptWidth, int promptHeight, int letterHeight) {
    MessageSize size{kMessageBaseWidth, kMessageBaseHeight};
    if (promptWidth > 13 * letterHeight)
        size.Width = promptWidth - 13 * letterHeight + kMessageBaseWidth;
    if (promptHeight > 3 * letterHeight)
        size.Height = promptHeight - 3 * letterHeight + kMessageBaseHeight;
    return size;
}

MessageAnchor ChooseMessageAnchor(bool splashDone, const QString& commandSwitch, bool mainShown) {
    if (!splashDone) return MessageAnchor::Screen;
    if (commandSwitch == QStringLiteral("/u") && !mainShown) return MessageAnchor::MiniWindow;
    return MessageAnchor::MainWindow;
}

}  // namespace korvan
