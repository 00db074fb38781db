// The far end of a port under test: a pseudo-terminal whose master the test holds. The master
// is not inherited: a child holding it would count as the port's far end, not as a program
// that has the port open.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QtTest>
#include <cstdlib>

// A stream is given up only after this long without a single byte moving: a slow machine
// moves them slowly, a broken page not at all.
inline constexpr qint64 kStallMs = 60000;

class Peer {
  public:
    Peer() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
        path_ = QString::fromLocal8Bit(::ptsname(master_));
    }
    ~Peer() {
        if (master_ >= 0) ::close(master_);
    }
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;
    bool valid() const { return !path_.isEmpty(); }
    const QString& path() const { return path_; }
    QByteArray read() {
        QByteArray all;
        char buffer[4096];
        for (ssize_t n; (n = ::read(master_, buffer, sizeof buffer)) > 0;) all.append(buffer, n);
        return all;
    }
    // Writes as much as the line takes now; returns how much that was.
    qsizetype writeSome(QByteArrayView bytes) {
        const ssize_t n = ::write(master_, bytes.data(), size_t(bytes.size()));
        return n < 0 ? 0 : n;
    }
    // What arrives until there are `size` bytes, or nothing more has come for kStallMs.
    QByteArray readUntil(qsizetype size) {
        QByteArray all;
        QElapsedTimer stalled;
        stalled.start();
        while (all.size() < size && stalled.elapsed() < kStallMs) {
            const QByteArray more = read();
            if (!more.isEmpty()) stalled.restart();
            all += more;
            QTest::qWait(5);
        }
        return all;
    }

  private:
    int master_ = -1;
    QString path_;
};
