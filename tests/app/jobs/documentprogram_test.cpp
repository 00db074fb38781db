// A document named as the program after a download opens with the desktop's default
// application for its kind, found in a scratch mimeapps.list and a scratch desktop entry whose
// program is a script that reports its arguments; a document nothing opens is said so.
#include "jobs/jobtexts.h"
#include "jobtestsupport.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace korvan::jobs::testing {
namespace {

// Points the user's XDG folders into `folder` for one test and restores them afterwards.
class ScratchDesktop {
  public:
    explicit ScratchDesktop(const QString& folder) {
        for (const char* name : kVariables) m_saved.push_back(qgetenv(name));
        qputenv("XDG_CONFIG_HOME", (folder + "/config").toUtf8());
        qputenv("XDG_DATA_HOME", (folder + "/data").toUtf8());
    }
    ~ScratchDesktop() {
        for (size_t i = 0; i < m_saved.size(); ++i) {
            if (m_saved[i].isNull())
                qunsetenv(kVariables[i]);
            else
                qputenv(kVariables[i], m_saved[i]);
        }
    }

  private:
    static constexpr const char* kVariables[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME"};
    std::vector<QByteArray> m_saved;
};

class DocumentProgram : public ControllerTest {
  protected:
    DocumentProgram() : desktop(scratch.path()) {
        QDir(scratch.path()).mkpath("config");
        QDir(scratch.path()).mkpath("data/applications");
        QDir(scratch.path()).mkpath("bin dir");
        viewer = scratch.path() + "/bin dir/viewer";
        report = scratch.path() + "/report";
        write(viewer, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + report.toUtf8() + "\"\n");
        QFile::setPermissions(viewer, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        write(scratch.path() + "/data/applications/viewer.desktop",
              "[Desktop Entry]\nType=Application\nName=Viewer\nExec=\"" + viewer.toUtf8() +
                  "\" --view %f\n");
        write(scratch.path() + "/config/mimeapps.list",
              "[Default Applications]\ntext/plain=viewer.desktop;\n");
    }
    static void write(const QString& path, const QByteArray& text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    void runAfterDownload(const QString& program, const QString& parameters) {
        workspace->updateSettings([&](UserSettings& s) {
            s.RunAfter = true;
            s.RunProgram = program;
            s.RunParameters = parameters;
        });
        controller->RunUserAction(false);
    }

    ScratchDesktop desktop;
    QString viewer;
    QString report;
};

TEST_F(DocumentProgram, CommandLinesOfProgramsAndDocuments) {
    const struct {
        const char* command;
        QString expected;
    } cases[] = {
        {"tool.exe a b", "tool.exe a b"},
        {"label 3", "label 3"},
        {"/bin/sh -c x", "/bin/sh -c x"},
        {"notes.txt more", '"' + viewer + "\" notes.txt"},
        {"NOTES.TXT", '"' + viewer + "\" NOTES.TXT"},
        {"notes.zq9 more", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramCommandLine(QString::fromUtf8(c.command), desktop::AssociatedProgram),
                  c.expected)
            << c.command;
}

TEST_F(DocumentProgram, ADocumentStartsItsDefaultApplication) {
    runAfterDownload(QStringLiteral("notes.txt"), QStringLiteral("not passed"));
    EXPECT_EQ(launcher.started, QStringList{'"' + viewer + "\" notes.txt"});
    for (const QString& line : view.texts()) EXPECT_FALSE(line.contains("notes.txt"));
}

TEST_F(DocumentProgram, ADocumentNothingOpensIsReported) {
    runAfterDownload(QStringLiteral("firmware.zq9"), QString());
    EXPECT_TRUE(launcher.started.isEmpty());
    EXPECT_TRUE(view.texts().contains(text::NoAssociatedProgram(QStringLiteral("firmware.zq9"))))
        << view.texts().join('\n').toStdString();
}

TEST_F(DocumentProgram, AProgramThatCannotStartIsReported) {
    launcher.refuse = true;
    runAfterDownload(QStringLiteral("flash-label"), QStringLiteral("--copies 2"));
    EXPECT_TRUE(
        view.texts().contains(text::ProgramNotStarted(QStringLiteral("flash-label --copies 2"))));
}

// The whole way with a real process: the script reports the document it was given.
TEST_F(DocumentProgram, TheApplicationReceivesTheDocument) {
    const QByteArray fifo = report.toLocal8Bit();
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    // Non-blocking, so that opening does not wait; poll() then waits for the script's lines.
    const int fd = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    const QString document = scratch.path() + "/label.txt";
    ProcessLauncher processes(desktop::AssociatedProgram);
    qint64 pid = 0;
    ASSERT_EQ(RunProgram(processes, document + " extra words", pid, false), RunOutcome::Started);
    EXPECT_NE(pid, 0);
    QByteArray received;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        ASSERT_GT(::poll(&p, 1, 60000), 0) << "the application never wrote";
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) received.append(buffer, n);
        if (n == 0 || (p.revents & POLLHUP)) break;
    }
    ::close(fd);
    EXPECT_EQ(received, document.toLocal8Bit() + "\n");
}

}  // namespace
}  // namespace korvan::jobs::testing
