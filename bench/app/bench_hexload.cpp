// Loading a 1 MB Intel HEX file whose records overwrite the 16-bit address space many times,
// against srec_cat and objcopy converting the same file to binary in the same run. Each side
// reads the HEX file and writes the binary image; the tools' times include starting their
// process, as a user running them would see. Prints the times and the ratios.
#include "core/hexreader.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <QByteArray>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

QByteArray MakeHexFile(qsizetype targetSize) {
    std::mt19937 rng(1207);
    std::uniform_int_distribution<int> byte(0, 255), address(0, 0xFFFF - 32);
    QByteArray text;
    while (text.size() < targetSize) {
        const int a = address(rng);
        QByteArray record;
        record.append(char(32)).append(char(a >> 8)).append(char(a & 0xFF)).append('\0');
        for (int i = 0; i < 32; ++i) record.append(static_cast<char>(byte(rng)));
        uint8_t sum = 0;
        for (const char c : record) sum = static_cast<uint8_t>(sum + static_cast<uint8_t>(c));
        record.append(static_cast<char>(-sum));
        text += ':' + record.toHex().toUpper() + "\r\n";
    }
    return text + ":00000001FF\r\n";
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double TimeKorvan(const QString& hex, const QString& bin, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        const auto image = korvan::ReadIntelHexFile(hex);
        QFile out(bin);
        if (!image || !out.open(QIODevice::WriteOnly)) return -1;
        out.write(reinterpret_cast<const char*>(image->Bytes.data()),
                  static_cast<qint64>(image->Bytes.size()));
        out.close();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return Median(times);
}

// Wall time of one run of `argv` with its output discarded; negative when it failed.
double RunOnce(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : -1;
}

double TimeTool(const std::vector<std::string>& argv, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = RunOnce(argv);
        if (ms < 0) return -1;
        times.push_back(ms);
    }
    return Median(times);
}

}  // namespace

int main() {
    QTemporaryDir dir;
    const QString hex = dir.filePath("big.hex");
    const QByteArray text = MakeHexFile(1000 * 1000);
    QFile file(hex);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) return 1;
    file.close();
    std::printf("hexload: %lld-byte HEX file, %lld records of 32 bytes over 64 KiB\n",
                static_cast<long long>(text.size()), static_cast<long long>(text.count('\n') - 1));

    const double korvan = TimeKorvan(hex, dir.filePath("k.bin"), 21);
    std::printf("  korvan   %8.2f ms (median of 21, read + write the image)\n", korvan);

    const QString srecCat = QStandardPaths::findExecutable("srec_cat");
    const QString objcopy = QStandardPaths::findExecutable("objcopy");
    const std::string h = hex.toStdString();
    struct Tool {
        const char* name;
        QString path;
        std::vector<std::string> argv;
    };
    const Tool tools[] = {
        {"srec_cat",
         srecCat,
         {srecCat.toStdString(), "-disable-sequence-warnings", "-multiple", h, "-intel", "-o",
          dir.filePath("s.bin").toStdString(), "-binary"}},
        {"objcopy",
         objcopy,
         {objcopy.toStdString(), "-I", "ihex", "-O", "binary", h,
          dir.filePath("o.bin").toStdString()}},
    };
    bool faster = true;
    for (const Tool& tool : tools) {
        if (tool.path.isEmpty()) {
            std::printf("  %-8s not installed\n", tool.name);
            continue;
        }
        const double ms = TimeTool(tool.argv, 7);
        if (ms < 0) {
            std::printf("  %-8s failed\n", tool.name);
            continue;
        }
        std::printf("  %-8s %8.2f ms (median of 7)   ratio %s/korvan = %.1fx\n", tool.name, ms,
                    tool.name, ms / korvan);
        faster = faster && ms > korvan;
    }
    std::printf("  target: faster than both: %s\n", faster ? "met" : "NOT MET");
    return 0;
}
