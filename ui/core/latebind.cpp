#include "latebind.h"

#include <QMetaMethod>
#include <QMetaObject>
#include <QObject>
#include <array>

namespace kui {

namespace {

constexpr int kMaxArgs = 10;

bool callable(const QMetaMethod& m) {
    return m.methodType() == QMetaMethod::Method || m.methodType() == QMetaMethod::Slot;
}

// Each argument converted to its parameter's type; false when one cannot be.
bool convertAll(const QMetaMethod& m, const QVariantList& args, QVariantList& out) {
    out.clear();
    for (int i = 0; i < args.size(); ++i) {
        const QMetaType type = m.parameterMetaType(i);
        if (!type.isValid()) return false;
        QVariant v = args[i];
        if (v.metaType() != type) {
            if (!v.canConvert(type) || !v.convert(type)) return false;
        }
        out.append(v);
    }
    return true;
}

}  // namespace

bool hasMethod(const QObject* object, const char* name, int parameterCount) {
    if (!object || !name) return false;
    const QMetaObject* meta = object->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod m = meta->method(i);
        if (callable(m) && m.name() == name && m.parameterCount() == parameterCount) return true;
    }
    return false;
}

std::optional<QVariant> invokeByName(QObject* object, const char* name, const QVariantList& args) {
    if (!object || !name || args.size() > kMaxArgs) return std::nullopt;
    const QMetaObject* meta = object->metaObject();
    // Most derived first, so that an override in a subclass wins.
    for (int i = meta->methodCount() - 1; i >= 0; --i) {
        const QMetaMethod m = meta->method(i);
        if (!callable(m) || m.name() != name || m.parameterCount() != args.size()) continue;
        QVariantList converted;
        if (!convertAll(m, args, converted)) continue;
        // The type names must outlive the call.
        std::array<QByteArray, kMaxArgs> typeNames;
        std::array<QGenericArgument, kMaxArgs> generic{};
        for (int a = 0; a < converted.size(); ++a) {
            typeNames[size_t(a)] = m.parameterTypeName(a);
            generic[size_t(a)] =
                QGenericArgument(typeNames[size_t(a)].constData(), converted[a].constData());
        }
        QVariant result;
        QGenericReturnArgument ret;
        if (m.returnMetaType().isValid() && m.returnMetaType().id() != QMetaType::Void) {
            result = QVariant(m.returnMetaType());
            ret = QGenericReturnArgument(m.typeName(), result.data());
        }
        const bool ok = m.invoke(object, Qt::DirectConnection, ret, generic[0], generic[1],
                                 generic[2], generic[3], generic[4], generic[5], generic[6],
                                 generic[7], generic[8], generic[9]);
        if (ok) return result;
    }
    return std::nullopt;
}

}  // namespace kui
