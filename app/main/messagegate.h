// Every message of the program passes here on its way to the message window. For unattended
// runs under test (and scripted demos) the environment variable KORVAN_MESSAGE_ANSWER, when it
// holds a button number (1 OK, 2 Cancel, 0 closed), answers each message at once with that
// number instead of showing it; the message still goes to standard error as
// "KORVAN message <style> <title>: <text>", so that a script sees what the user would have read.
#pragma once

#include <QString>

namespace korvan {

int AskUser(const QString& prompt, int style, const QString& title = {});

// How many messages are open right now (a message shows modally and may nest).
int OpenMessageCount();

}  // namespace korvan
