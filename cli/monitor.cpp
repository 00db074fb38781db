#include "monitor.h"

#include "clitexts.h"
#include "jobs/portaccess.h"
#include "session.h"

#include <termios.h>
#include <unistd.h>

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <optional>

namespace korvan::cli {

namespace {

constexpr char kCtrlBracket = 0x1D;  // Ctrl-]: telnet's escape, which ends a monitor

void Put(std::FILE* file, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
    std::fflush(file);
}

// A terminal on standard input keeps its line editing; Ctrl-] ends a line as Enter does, so the
// monitor hears it at once. The terminal's settings come back when the monitor ends.
class TypedLines {
  public:
    TypedLines() {
        if (::isatty(STDIN_FILENO) != 1 || ::tcgetattr(STDIN_FILENO, &m_saved) != 0) return;
        termios t = m_saved;
        t.c_cc[VEOL] = kCtrlBracket;
        if (::tcsetattr(STDIN_FILENO, TCSANOW, &t) == 0) m_active = true;
    }
    ~TypedLines() {
        if (m_active) ::tcsetattr(STDIN_FILENO, TCSANOW, &m_saved);
    }
    bool active() const { return m_active; }

  private:
    termios m_saved{};
    bool m_active = false;
};

}  // namespace

class PortLink {
  public:
    jobs::PortAccess port;
};

Monitor::Monitor(const MonitorSpec& spec, std::FILE* out, std::FILE* err)
    : m_spec(spec),
      m_out(out),
      m_err(err),
      m_decoder(spec.encoding == QLatin1String("gbk") ? ReceiveEncoding::Gbk
                                                      : ReceiveEncoding::Utf8) {}

QString Monitor::SettingsFor(const MonitorSpec& spec) {
    return QStringLiteral("%1,N,8,1").arg(spec.baud);
}

QString Monitor::show(QByteArrayView bytes) {
    return m_spec.hex ? HexReceived(bytes) : m_decoder.decode(bytes);
}

void Monitor::stop() {
    m_stopped = true;
    if (m_loop) m_loop->quit();
}

void Monitor::sendTyped() {
    char buffer[4096];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {  // end of input: nothing more to send, the monitor goes on
        return;
    }
    QByteArray line(buffer, int(n));
    const qsizetype end = line.indexOf(kCtrlBracket);
    if (end >= 0) line.truncate(end);
    if (!line.isEmpty() && m_link) m_link->port.comm().Output(line);
    if (end >= 0) stop();
}

int Monitor::run(const QString& portName) {
    PortLink link;
    m_link = &link;
    link.port.setTarget(jobs::ParsePortArgument(portName));
    const QString settings = SettingsFor(m_spec);
    if (const auto problem = link.port.open(settings, false)) {
        Put(m_err, (problem->message + u'\n').toUtf8());
        m_link = nullptr;
        return kExitPort;
    }
    Put(m_err, text::MonitorStarted(portName, settings).toUtf8());

    QEventLoop loop;
    m_loop = &loop;
    kserial::MSComm& comm = link.port.comm();
    QObject::connect(&comm, &kserial::MSComm::OnComm, &loop, [&] {
        if (comm.CommEvent() == kserial::MSComm::comEventDeviceLost) {
            Put(m_err, (u'\n' + text::kMonitorPortLost + u'\n').toUtf8());
            m_exitCode = kExitPort;
            stop();
            return;
        }
        if (comm.CommEvent() != kserial::MSComm::comEvReceive) return;
        Put(m_out, show(comm.InputBytes()).toUtf8());
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    if (m_spec.seconds) {
        QObject::connect(&deadline, &QTimer::timeout, &loop, [this] { stop(); });
        deadline.start(*m_spec.seconds * 1000);
    }
    TypedLines typed;
    std::optional<QSocketNotifier> input;
    if (typed.active()) {
        input.emplace(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(&*input, &QSocketNotifier::activated, &loop, [this] { sendTyped(); });
    }
    if (!m_stopped) loop.exec();
    m_loop = nullptr;
    // What is still on its way is shown before the port closes.
    if (comm.PortOpen()) {
        const QByteArray rest = comm.InputBytes();
        if (!rest.isEmpty()) Put(m_out, show(rest).toUtf8());
    }
    link.port.close();
    m_link = nullptr;
    Put(m_out, QByteArray(m_spec.hex ? "" : "\n"));
    return m_exitCode;
}

}  // namespace korvan::cli
