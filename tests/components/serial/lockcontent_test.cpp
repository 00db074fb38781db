// What a lock file's content says about its owner, in the forms programs write it.
#include <gtest/gtest.h>

#include <QByteArray>
#include <cstring>

#include "uucplock.h"

namespace {

QByteArray binaryPid(qint32 pid) {
    QByteArray bytes(4, '\0');
    std::memcpy(bytes.data(), &pid, 4);
    return bytes;
}

TEST(LockContent, OwnerInEveryFormProgramsWrite) {
    struct Case {
        const char* name;
        QByteArray content;
        std::optional<qint64> pid;
    };
    const Case cases[] = {
        {"ten digits and a newline", "      2659\n", 2659},
        {"bare four digits", "2659", 2659},
        {"bare five digits", "31337", 31337},
        {"four digits and a newline", "265\n", 265},
        {"old binary form", binaryPid(123456), 123456},
        {"garbage", "garbage\n", std::nullopt},
        {"empty", "", std::nullopt},
        {"zero", "0\n", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(kserial::parseLockPid(c.content), c.pid);
    }
}

}  // namespace
