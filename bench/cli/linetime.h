// The line time of a job, read from korvan-cli's packet trace (-v): every byte that went over
// the line after the chip identified itself, at the rate and parity the port had then.
#pragma once

#include <QString>
#include <QStringList>

struct LineTally {
    qint64 bytesSent = 0;
    qint64 bytesReceived = 0;
    int packets = 0;
    int replies = 0;
    int baudCommands = 0;     // baud test and confirm packets
    double lineSeconds = 0;   // the bytes at their rates
    double turnaroundMs = 0;  // from each reply to the packet that followed it
    int turnarounds = 0;
    bool sawStatus = false;  // the trace held the identification
};

// `trace` is the standard error of korvan-cli -v.
LineTally TallyTrace(const QStringList& trace);
