// Conversion of dispatch arguments (QVariant) into the types of the control's members, with the
// status a late-bound caller expects for a bad one: type mismatch or overflow.
#pragma once

#include <QByteArray>
#include <QVariant>
#include <QVariantList>
#include <cstdint>

#include "zelisp_interface.h"

namespace zel::control::dispatch {

// Each returns kOk and sets `out`, or returns the status and leaves `out` alone.
int ToInt16(const QVariant& value, int16_t& out);
int ToInt32(const QVariant& value, int32_t& out);
// Any number; non-zero is True (-1).
int ToBool16(const QVariant& value, zelisp::Bool16& out);
// A colour: a 32-bit value, signed or unsigned.
int ToColor(const QVariant& value, zelisp::OleColor& out);
// A QByteArray, or a list of numbers 0..255.
int ToBytes(const QVariant& value, QByteArray& out);

// Whether a call of `kind` may read a member or call a method (get), or set a property (put).
bool IsGet(zelisp::InvokeKind kind);
bool IsPut(zelisp::InvokeKind kind);

// kOk when `args` holds between `least` and `most` values, else the status for the count.
int CheckCount(const QVariantList& args, int least, int most);

}  // namespace zel::control::dispatch
