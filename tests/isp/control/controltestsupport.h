// Shared by the control's tests: database files written for a test, environment overrides and
// an event receiver that records what the control raised.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "../core/test_zeldb_support.h"
#include "gbk.h"
#include "zelisp_interface.h"

namespace zeltest {

// Writes `text` to `path` in the database's code page.
inline bool WriteGbkFile(const QString& path, const QString& text) {
    return WriteBytes(path, zel::EncodeGbk(text));
}

struct RecordedEvent {
    int event;  // zelisp::eventid
    int index;
    QString text;
};

// Records every event; the optional handlers run inside the event, as a host's would.
class EventLog : public zelisp::IZelIspEvents {
  public:
    void Error(int16_t& index, QString& pInfo) override {
        events.push_back({zelisp::eventid::Error, index, pInfo});
    }
    void ViewInfo(int16_t& index, QString& pInfo) override {
        events.push_back({zelisp::eventid::ViewInfo, index, pInfo});
        if (onViewInfo) onViewInfo(index);
    }
    void Interrupt(int16_t& index, QString& pInfo, zelisp::Bool16& bResume) override {
        events.push_back({zelisp::eventid::Interrupt, index, pInfo});
        if (answerInterrupt) bResume = *answerInterrupt;
    }
    void Progress(int16_t& Parent) override {
        events.push_back({zelisp::eventid::Progress, Parent, QString()});
    }

    bool has(int event, int index) const {
        for (const RecordedEvent& e : events)
            if (e.event == event && e.index == index) return true;
        return false;
    }
    QString textOf(int event, int index) const {
        for (const RecordedEvent& e : events)
            if (e.event == event && e.index == index) return e.text;
        return {};
    }
    bool ended() const {
        return has(zelisp::eventid::ViewInfo, 1001) || has(zelisp::eventid::ViewInfo, 1002) ||
               has(zelisp::eventid::ViewInfo, 1003);
    }

    std::vector<RecordedEvent> events;
    std::function<void(int)> onViewInfo;
    std::optional<zelisp::Bool16> answerInterrupt;
};

}  // namespace zeltest
