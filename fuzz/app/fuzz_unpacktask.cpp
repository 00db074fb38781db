// Opening a download task from arbitrary bytes. The first byte chooses whether the rest is
// taken as the file itself (exercising the unpacking) or is packed first (exercising the
// image and settings parsers behind it). A task that does not open leaves the code buffer
// and settings as they were.
#include "core/codeworkspace.h"
#include "core/gzipfile.h"
#include "core/taskfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

const korvan::AppPaths& Paths() {
    static QTemporaryDir dir;
    static const korvan::AppPaths paths = [] {
        QDir(dir.path()).mkpath("app");
        QDir(dir.path()).mkpath("tmp");
        return korvan::AppPaths{dir.path() + "/app/", dir.path() + "/tmp/",
                                dir.path() + "/registry.ini"};
    }();
    return paths;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const QByteArray rest(reinterpret_cast<const char*>(data + 1),
                          static_cast<qsizetype>(size - 1));
    korvan::ParseTaskImage(rest);
    const QByteArray file = (data[0] & 1) ? korvan::GzipCompress(rest, 1).value_or(rest) : rest;

    const QString path = Paths().TempPath + "../input.mcp";
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size()) return 0;
    out.close();

    korvan::CodeWorkspace workspace(Paths());
    workspace.LoadUserSettings();
    workspace.updateSettings(
        [](korvan::UserSettings& s) { s.TermSend = QStringLiteral("before"); });
    const korvan::OpenResult result = workspace.OpenCodeFile(path, false);
    if (!result.Ok && (workspace.settings().TermSend != "before" ||
                       !workspace.codeBuffer().empty() || workspace.taskMode()))
        std::abort();
    if (!QDir(Paths().TempPath).isEmpty()) std::abort();  // no scratch file left behind
    return 0;
}
