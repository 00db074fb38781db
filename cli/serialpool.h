// The serial numbers of a gang download: one shared pool, so that every chip that succeeds
// gets a number of its own and a failed chip's number goes to the next chip instead of being
// lost.
//
// A job takes its number when the code is handed to its chip (before the erase): the lowest
// number given back so far, else the next new one. A job that succeeds keeps it for good; a
// job that fails (or is cancelled) gives it back. The number to keep for the next run is the
// one after the highest number kept, so no later run can repeat a number a chip holds; numbers
// given back below it and never taken again are unused.
#pragma once

#include <QList>
#include <QtGlobal>
#include <map>
#include <set>

namespace korvan::cli {

class SerialPool {
  public:
    explicit SerialPool(qint64 first);

    qint64 take();
    void keep(qint64 number);      // the chip that got it succeeded
    void giveBack(qint64 number);  // its job failed: the next chip takes it

    // The first number of the next run.
    qint64 next() const;
    // Numbers given back and not taken again, below next(), in order.
    QList<qint64> unused() const;
    bool anyKept() const { return m_highestKept >= 0; }

  private:
    qint64 positionOf(qint64 number) const;

    // Numbers go out in sequence positions 0, 1, 2, ... (999999999 is followed by 1).
    std::map<qint64, qint64> m_numberAt;  // position -> number, for every position taken
    // number -> its latest position (a number comes round again only after 999999999 chips)
    std::map<qint64, qint64> m_positionOf;
    std::set<qint64> m_givenBack;  // positions
    qint64 m_first;
    qint64 m_nextNew;  // the number at position m_nextPosition
    qint64 m_nextPosition = 0;
    qint64 m_highestKept = -1;  // position
};

}  // namespace korvan::cli
