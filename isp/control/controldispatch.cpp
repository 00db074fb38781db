// ZELISP's members by dispatch identifier.
#include "variantargs.h"
#include "zelispcontrol.h"

namespace zel::control {

using namespace dispatch;
namespace id = zelisp::dispid;

namespace {

QVariant Short(int16_t value) {
    return QVariant::fromValue<short>(value);
}
QVariant Color(zelisp::OleColor value) {
    return QVariant::fromValue<uint>(value);
}

}  // namespace

int ZelIspControl::Invoke(int32_t dispid, zelisp::InvokeKind kind, QVariantList& args,
                          QVariant& result) {
    result = QVariant();
    switch (dispid) {
        case id::Start:
        case id::CancelDown:
        case id::SetData:
        case id::AppendData:
        case id::CopyOption:
            if (!IsGet(kind)) return zelisp::kNotSupported;
            return invokeMember(dispid, kind, args, result);
        default:
            return invokeProperty(dispid, kind, args, result);
    }
}

int ZelIspControl::invokeMember(int32_t dispid, zelisp::InvokeKind, QVariantList& args,
                                QVariant& result) {
    int status = zelisp::kOk;
    switch (dispid) {
        case id::Start: {
            int32_t type = 0;
            if ((status = CheckCount(args, 1, 1)) || (status = ToInt32(args[0], type)))
                return status;
            Start(type);
            return zelisp::kOk;
        }
        case id::CancelDown: {
            zelisp::Bool16 user = zelisp::kFalse;
            if ((status = CheckCount(args, 0, 1))) return status;
            if (!args.isEmpty() && (status = ToBool16(args[0], user))) return status;
            CancelDown(user);
            if (!args.isEmpty()) args[0] = Short(user);
            return zelisp::kOk;
        }
        case id::SetData: {
            QByteArray dat;
            if ((status = CheckCount(args, 1, 1)) || (status = ToBytes(args[0], dat)))
                return status;
            result = Short(SetData(dat));
            return zelisp::kOk;
        }
        case id::AppendData: {
            QByteArray dat;
            int32_t add = 0;
            if ((status = CheckCount(args, 2, 2)) || (status = ToBytes(args[0], dat)) ||
                (status = ToInt32(args[1], add)))
                return status;
            result = Short(AppendData(dat, add));
            args[1] = add;
            return zelisp::kOk;
        }
        case id::CopyOption:
            if ((status = CheckCount(args, 0, 0))) return status;
            result = Short(CopyOption());
            return zelisp::kOk;
        default:
            return zelisp::kNotSupported;
    }
}

int ZelIspControl::invokeProperty(int32_t dispid, zelisp::InvokeKind kind, QVariantList& args,
                                  QVariant& result) {
    int status = zelisp::kOk;
    const bool put = IsPut(kind);
    if (!put && !IsGet(kind)) return zelisp::kNotSupported;

    // Indexed properties: OptValue(index) and List(index).
    if (dispid == id::OptValue) {
        int16_t index = 0;
        if ((status = CheckCount(args, put ? 2 : 1, put ? 2 : 1)) ||
            (status = ToInt16(args[0], index)))
            return status;
        if (!put) {
            result = OptValue(index);
            return zelisp::kOk;
        }
        int32_t value = 0;
        if ((status = ToInt32(args[1], value))) return status;
        setOptValue(index, value);
        return zelisp::kOk;
    }
    if (dispid == id::List) {
        if (put) return zelisp::kNotSupported;
        int16_t index = 0;
        if ((status = CheckCount(args, 1, 1)) || (status = ToInt16(args[0], index))) return status;
        result = List(index);
        args[0] = Short(index);
        return zelisp::kOk;
    }

    if (put) {
        if ((status = CheckCount(args, 1, 1))) return status;
        const QVariant& value = args[0];
        zelisp::OleColor color = 0;
        int16_t number = 0;
        zelisp::Bool16 flag = 0;
        switch (dispid) {
            case id::ListIndex:
                if ((status = ToInt16(value, number))) return status;
                return setListIndex(number);
            case id::BackColor:
            case id::FillColor:
            case id::FendColor:
            case id::ForeColor:
                if ((status = ToColor(value, color))) return status;
                if (dispid == id::BackColor) setBackColor(color);
                if (dispid == id::FillColor) setFillColor(color);
                if (dispid == id::FendColor) setFendColor(color);
                if (dispid == id::ForeColor) setForeColor(color);
                return zelisp::kOk;
            case id::CommPort:
                if ((status = ToInt16(value, number))) return status;
                return setCommPort(number);
            case id::RTS:
                if ((status = ToBool16(value, flag))) return status;
                return setRTS(flag);
            default:
                return zelisp::kNotSupported;
        }
    }

    if ((status = CheckCount(args, 0, 0))) return status;
    switch (dispid) {
        case id::McuInfo:
            result = QVariant::fromValue(McuInfo());
            break;
        case id::OptCount:
            result = Short(OptCount());
            break;
        case id::ListCount:
            result = Short(ListCount());
            break;
        case id::ListIndex:
            result = Short(ListIndex());
            break;
        case id::BackColor:
            result = Color(BackColor());
            break;
        case id::FillColor:
            result = Color(FillColor());
            break;
        case id::FendColor:
            result = Color(FendColor());
            break;
        case id::ForeColor:
            result = Color(ForeColor());
            break;
        case id::CommPort:
            result = Short(CommPort());
            break;
        case id::Buzy:
            result = Short(Buzy());
            break;
        case id::RTS:
            result = Short(RTS());
            break;
        case id::DownType:
            result = Short(DownType());
            break;
        case id::success:
            result = Short(success());
            break;
        default:
            return zelisp::kNotSupported;
    }
    return zelisp::kOk;
}

}  // namespace zel::control
