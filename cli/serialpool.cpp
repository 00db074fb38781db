#include "serialpool.h"

#include "core/increment.h"

namespace korvan::cli {

SerialPool::SerialPool(qint64 first) : m_first(first), m_nextNew(first) {}

qint64 SerialPool::take() {
    if (!m_givenBack.empty()) {
        const qint64 position = *m_givenBack.begin();
        m_givenBack.erase(m_givenBack.begin());
        return m_numberAt.at(position);
    }
    const qint64 number = m_nextNew;
    m_positionOf[number] = m_nextPosition;
    m_numberAt[m_nextPosition++] = number;
    m_nextNew = NextSerialNumber(number);
    return number;
}

qint64 SerialPool::positionOf(qint64 number) const {
    const auto found = m_positionOf.find(number);
    return found == m_positionOf.end() ? -1 : found->second;
}

void SerialPool::keep(qint64 number) {
    const qint64 position = positionOf(number);
    if (position > m_highestKept) m_highestKept = position;
}

void SerialPool::giveBack(qint64 number) {
    const qint64 position = positionOf(number);
    if (position >= 0) m_givenBack.insert(position);
}

qint64 SerialPool::next() const {
    if (m_highestKept < 0) return m_first;
    const qint64 position = m_highestKept + 1;
    if (position == m_nextPosition) return m_nextNew;
    return m_numberAt.at(position);
}

QList<qint64> SerialPool::unused() const {
    QList<qint64> numbers;
    for (const qint64 position : m_givenBack)
        if (position < m_highestKept) numbers << m_numberAt.at(position);
    return numbers;
}

}  // namespace korvan::cli
