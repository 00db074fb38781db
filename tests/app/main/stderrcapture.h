// What the program printed on standard error while `run` ran: every message window answered
// by KORVAN_MESSAGE_ANSWER passes there.
#pragma once

#include <unistd.h>

#include <QByteArray>
#include <QString>
#include <cstdio>

template <typename Run>
QString StandardErrorOf(Run run) {
    std::fflush(stderr);
    FILE* capture = std::tmpfile();
    const int saved = dup(STDERR_FILENO);
    dup2(fileno(capture), STDERR_FILENO);
    run();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    std::rewind(capture);
    QByteArray text;
    char chunk[512];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, capture)) > 0;) text.append(chunk, n);
    std::fclose(capture);
    return QString::fromUtf8(text);
}
