#include "main/messagegate.h"

#include <cstdio>

#include "windows/messagewindow.h"

namespace korvan {

namespace {

int g_open = 0;

}  // namespace

int AskUser(const QString& prompt, int style, const QString& title) {
    bool scripted = false;
    const int answer = qEnvironmentVariableIntValue("KORVAN_MESSAGE_ANSWER", &scripted);
    const QByteArray line =
        QStringLiteral("KORVAN message %1 %2: %3\n").arg(style).arg(title, prompt).toUtf8();
    std::fputs(line.constData(), stderr);
    if (scripted) return answer;
    ++g_open;
    const int result = ShowMessage(prompt, style, title);
    --g_open;
    return result;
}

int OpenMessageCount() {
    return g_open;
}

}  // namespace korvan
