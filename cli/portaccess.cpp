#include "portaccess.h"

#include "core/apppaths.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>

namespace korvan::cli {

PortTarget ParsePortArgument(const QString& text) {
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]{0,3})$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto match = com.match(text);
    if (match.hasMatch()) {
        const int n = match.captured(1).toInt();
        return PortTarget{QStringLiteral("COM%1").arg(n), n, {}};
    }
    return PortTarget{text, std::nullopt, text};
}

void ApplyPort(kserial::MSComm& comm, const PortTarget& target) {
    if (target.number) {
        static const bool mapped = [] {
            const QString config = CurrentAppPaths().configFile();
            return QFileInfo::exists(config) && kserial::MSComm::loadPortMap(config);
        }();
        Q_UNUSED(mapped);
        comm.setCommPort(*target.number);
    } else {
        comm.setPortName(target.device);
    }
}

QString PortErrorMessage(const PortTarget& target, const kserial::CommError& error) {
    switch (error.number) {
        case kserial::comPortInvalid:
            return QStringLiteral("当前串口(%1)无效\n请选择有效端口").arg(target.shown);
        case kserial::comPortAlreadyOpen:
            return QStringLiteral("当前串口(%1)已经打开\n请关闭其它程序后再试").arg(target.shown);
        default:
            break;
    }
    QString text =
        error.description.isEmpty() ? QStringLiteral("串行端口已打开或者无效") : error.description;
    if (error.systemErrno == EACCES || error.systemErrno == EPERM) {
        text += QStringLiteral(
            "\n当前用户没有使用该串口的权限。请把用户加入 dialout 组：\n"
            "    sudo usermod -aG dialout $USER\n"
            "然后注销并重新登录。");
    }
    return text;
}

std::optional<PortProblem> TestPort(const PortTarget& target) {
    kserial::MSComm comm;
    ApplyPort(comm, target);
    if (comm.setSettings(QStringLiteral("1200,N,8,1")) && comm.setPortOpen(true)) {
        comm.setPortOpen(false);
        return std::nullopt;
    }
    const kserial::CommError error = comm.lastError();
    return PortProblem{error.number, PortErrorMessage(target, error)};
}

}  // namespace korvan::cli
