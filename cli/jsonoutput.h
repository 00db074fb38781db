// korvan-cli's output for programs (--json): one compact JSON object per line on standard
// output for every event, and a final "summary" object. The packet trace goes to standard
// error as text.
#pragma once

#include "joboutput.h"

#include <QJsonObject>
#include <cstdio>
#include <memory>

namespace korvan::cli {

class JsonOutput : public JobOutput {
  public:
    JsonOutput(std::FILE* out, std::FILE* err);
    // The output of one port of a gang download: every object carries "port", and a write
    // that fails counts as a failure of this output too.
    std::unique_ptr<JsonOutput> forPort(const QString& port) const;

    void logLine(const LogEntry& entry) override;
    void countdown(int seconds) override;
    void progress(int percent) override;
    void chipInfo(const jobs::ChipRecord& chip) override;
    void options(const std::vector<OptionLine>& lines) override;
    void warning(const QString& text) override;
    void error(const QString& text) override;
    void trace(const QString& line) override;
    void summary(const JobSummary& summary) override;
    bool failed() const override { return *m_failed; }

  private:
    void emitObject(const QJsonObject& object);

    std::FILE* m_out;
    std::FILE* m_err;
    QString m_port;
    std::shared_ptr<bool> m_failed = std::make_shared<bool>(false);
};

}  // namespace korvan::cli
