#include "zelinfoview.h"

#include "variantargs.h"

namespace zel::control {

using namespace dispatch;
namespace id = zelisp::infodispid;

int ZelInfoView::Invoke(int32_t dispid, zelisp::InvokeKind kind, QVariantList& args,
                        QVariant& result) {
    result = QVariant();
    if (dispid == id::baud && IsPut(kind)) {
        if (const int status = CheckCount(args, 1, 1)) return status;
        int32_t value = 0;
        if (const int status = ToInt32(args.at(0), value)) return status;
        setBaud(value);
        return zelisp::kOk;
    }
    if (!IsGet(kind)) return zelisp::kNotSupported;
    if (dispid == id::OptList) {
        if (const int status = CheckCount(args, 1, 1)) return status;
        int16_t index = 0;
        if (const int status = ToInt16(args.at(0), index)) return status;
        result = OptList(index);
        return zelisp::kOk;
    }
    if (const int status = CheckCount(args, 0, 0)) return status;
    switch (dispid) {
        case id::model:
            result = model();
            break;
        case id::cpu:
            result = cpu();
            break;
        case id::version:
            result = version();
            break;
        case id::flash:
            result = flash();
            break;
        case id::memory:
            result = memory();
            break;
        case id::eeprom:
            result = eeprom();
            break;
        case id::baud:
            result = baud();
            break;
        case id::id:
            result = this->id();
            break;
        case id::sn:
            result = sn();
            break;
        case id::OptCount:
            result = QVariant::fromValue<short>(OptCount());
            break;
        case id::index:
            result = QVariant::fromValue<short>(index());
            break;
        default:
            return zelisp::kNotSupported;
    }
    return zelisp::kOk;
}

}  // namespace zel::control
