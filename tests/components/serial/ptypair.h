// A real pseudo-terminal for the tests: the port under test opens the slave, the test plays
// the far end through the master.
#pragma once

#include <QByteArray>
#include <QString>

class PtyPair {
  public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return m_master >= 0; }
    int master() const { return m_master; }
    QString slavePath() const { return m_slavePath; }

    // Writes all bytes to the master, waiting (bounded) while the slave side is full.
    bool send(const QByteArray& bytes);
    // Reads from the master until `count` bytes have arrived or `timeoutMs` passed.
    QByteArray receive(qsizetype count, int timeoutMs = 10000);
    void closeMaster();

  private:
    int m_master = -1;
    QString m_slavePath;
};
