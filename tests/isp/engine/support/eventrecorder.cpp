#include "eventrecorder.h"

namespace zel::test {

void EventRecorder::setProbes(std::function<bool()> success, std::function<int64_t()> now) {
    m_success = std::move(success);
    m_now = std::move(now);
}

void EventRecorder::record(RecordedEvent::Kind kind, int index, const QString& text) {
    m_events.push_back(
        RecordedEvent{kind, index, text, m_success ? m_success() : false, m_now ? m_now() : 0});
}

void EventRecorder::Error(int index, const QString& pInfo) {
    record(RecordedEvent::Error, index, pInfo);
    if (m_onError) m_onError(index);
}

void EventRecorder::ViewInfo(int index, const QString& pInfo) {
    record(RecordedEvent::ViewInfo, index, pInfo);
    const auto handler = m_onInfo.find(index);
    if (handler != m_onInfo.end()) handler->second();
}

void EventRecorder::Interrupt(int index, const QString& pInfo, bool& bResume) {
    record(RecordedEvent::Interrupt, index, pInfo);
    bResume = m_resume;
    if (m_onInterrupt) m_onInterrupt(index);
}

void EventRecorder::Progress(int Parent) {
    record(RecordedEvent::Progress, Parent, {});
    if (m_onProgress) m_onProgress(Parent);
}

std::vector<RecordedEvent> EventRecorder::of(RecordedEvent::Kind kind, int index) const {
    std::vector<RecordedEvent> found;
    for (const RecordedEvent& e : m_events) {
        if (e.kind == kind && (index < 0 || e.index == index)) found.push_back(e);
    }
    return found;
}

std::vector<int> EventRecorder::progress() const {
    std::vector<int> percents;
    for (const RecordedEvent& e : of(RecordedEvent::Progress)) percents.push_back(e.index);
    return percents;
}

std::vector<QString> EventRecorder::lines() const {
    static const char* const kPrefix[] = {"E", "V", "I", "P"};
    std::vector<QString> lines;
    for (const RecordedEvent& e : m_events) {
        QString line = QLatin1String(kPrefix[e.kind]) + QString::number(e.index);
        if (!e.text.isEmpty()) line += QLatin1Char(' ') + e.text;
        lines.push_back(line);
    }
    return lines;
}

}  // namespace zel::test
