// Why a settings, task or code file could not be read or replaced, for the message that
// names the file and the cause.
#pragma once

#include <QString>

namespace ktext {

struct FileError {
    enum Kind {
        None,
        Missing,     // no such file
        NotRegular,  // a FIFO, a device, a folder: never read or replaced
        TooLarge,    // larger than the caller's bound
        ReadFailed,  // exists but the system refuses to read it
        WriteFailed  // a write, the flush, fsync or the rename failed: the old file stays
    };
    Kind kind = None;
    int errorNumber = 0;  // errno of the failing call, 0 when the kind says it all
    QString path;

    bool failed() const { return kind != None; }
    // The system's words for errorNumber ("No space left on device"); empty without one.
    QString systemText() const;
};

}  // namespace ktext
