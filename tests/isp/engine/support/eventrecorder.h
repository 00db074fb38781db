// An event sink that keeps every event the engine raised, in order, with the engine's success
// flag as a handler would have read it, and lets a test act inside chosen events.
#pragma once

#include "engineio.h"

#include <QString>
#include <functional>
#include <map>
#include <vector>

namespace zel::test {

struct RecordedEvent {
    enum Kind { Error, ViewInfo, Interrupt, Progress } kind;
    int index;  // the percentage for Progress
    QString text;
    bool success;  // the engine's success flag while the event was raised
    int64_t time;
};

class EventRecorder : public IspEvents {
  public:
    // Reads the success flag and the time for each event.
    void setProbes(std::function<bool()> success, std::function<int64_t()> now);

    void Error(int index, const QString& pInfo) override;
    void ViewInfo(int index, const QString& pInfo) override;
    void Interrupt(int index, const QString& pInfo, bool& bResume) override;
    void Progress(int Parent) override;

    // Runs inside ViewInfo `index` (after it was recorded).
    void onViewInfo(int index, std::function<void()> handler) {
        m_onInfo[index] = std::move(handler);
    }
    void onProgress(std::function<void(int)> handler) { m_onProgress = std::move(handler); }
    void onError(std::function<void(int)> handler) { m_onError = std::move(handler); }
    // Runs inside every Interrupt, after the answer was set.
    void onInterrupt(std::function<void(int)> handler) { m_onInterrupt = std::move(handler); }
    // The answer to every Interrupt.
    void setResume(bool resume) { m_resume = resume; }

    const std::vector<RecordedEvent>& events() const { return m_events; }
    void clear() { m_events.clear(); }
    // Events of one kind (and index, when given).
    std::vector<RecordedEvent> of(RecordedEvent::Kind kind, int index = -1) const;
    std::vector<int> progress() const;
    // "V1000 下载单片机程序" style lines, for exact sequence comparisons.
    std::vector<QString> lines() const;

  private:
    void record(RecordedEvent::Kind kind, int index, const QString& text);

    std::vector<RecordedEvent> m_events;
    std::map<int, std::function<void()>> m_onInfo;
    std::function<void(int)> m_onProgress;
    std::function<void(int)> m_onError;
    std::function<void(int)> m_onInterrupt;
    std::function<bool()> m_success;
    std::function<int64_t()> m_now;
    bool m_resume = false;
};

}  // namespace zel::test
