// Starting and ending the user's program after a download (RunProgram): a command line split
// without a shell, started detached, and ended by its process id.
#pragma once

#include <QString>
#include <functional>

namespace korvan::jobs {

// The program that opens documents with this extension (lower case, no dot); empty when none.
// The desktop's associations live outside the job layer, so whoever builds a launcher says.
using DocumentOpener = std::function<QString(const QString& extension)>;

class ProgramLauncher {
  public:
    virtual ~ProgramLauncher() = default;
    // The process id of the started program; 0 when it could not start.
    virtual qint64 start(const QString& command) = 0;
    virtual bool isRunning(qint64 processId) const = 0;
    virtual void stop(qint64 processId) = 0;
    virtual QString documentOpener(const QString& /*extension*/) const { return {}; }
};

// Programs as processes of the system.
class ProcessLauncher : public ProgramLauncher {
  public:
    explicit ProcessLauncher(DocumentOpener opener = {}) : m_opener(std::move(opener)) {}
    qint64 start(const QString& command) override;
    bool isRunning(qint64 processId) const override;
    void stop(qint64 processId) override;
    QString documentOpener(const QString& extension) const override {
        return m_opener ? m_opener(extension) : QString();
    }

  private:
    DocumentOpener m_opener;
};

// What RunProgram starts for `command`: the whole command when its first word is a program
// (an "exe", "bat", "dll" or "ocx" name, a word without ".", or an executable file); else the
// first word is a document, and the program the desktop opens such files with is started with
// it (the other words are not passed). Empty when no program opens such documents.
QString ProgramCommandLine(const QString& command, const DocumentOpener& opener);

enum class RunOutcome {
    Started,
    Stopped,              // the running program was ended; nothing new starts in this call
    StartFailed,          // the program could not be started
    NoAssociatedProgram,  // the command names a document that no installed program opens
};

// RunProgram: with `stopOnly`, or while the previous program still runs, that program is ended
// and nothing starts; otherwise the command starts and `processId` takes its id. A program that
// cannot be started leaves `processId` as it was.
RunOutcome RunProgram(ProgramLauncher& launcher, const QString& command, qint64& processId,
                      bool stopOnly);

}  // namespace korvan::jobs
