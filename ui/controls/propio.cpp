#include "propio.h"

#include <QImage>

namespace kui::prop {

OleColor readColor(const PropertyBag& bag, const QString& name, OleColor def) {
    bool ok = false;
    const qulonglong v = bag.readProperty(name, QVariant::fromValue(uint(def))).toULongLong(&ok);
    return ok && v <= 0xFFFFFFFFull ? OleColor(v) : def;
}

void writeColor(PropertyBag& bag, const QString& name, OleColor value, OleColor def) {
    bag.writeProperty(name, QVariant::fromValue(uint(value)), QVariant::fromValue(uint(def)));
}

int readInt(const PropertyBag& bag, const QString& name, int def) {
    bool ok = false;
    const int v = bag.readProperty(name, def).toInt(&ok);
    return ok ? v : def;
}

void writeInt(PropertyBag& bag, const QString& name, int value, int def) {
    bag.writeProperty(name, value, def);
}

bool readBool(const PropertyBag& bag, const QString& name, bool def) {
    return bag.readProperty(name, def).toBool();
}

void writeBool(PropertyBag& bag, const QString& name, bool value, bool def) {
    bag.writeProperty(name, value, def);
}

QString readString(const PropertyBag& bag, const QString& name, const QString& def) {
    return bag.readProperty(name, def).toString();
}

void writeString(PropertyBag& bag, const QString& name, const QString& value, const QString& def) {
    bag.writeProperty(name, value, def);
}

QFont readFont(const PropertyBag& bag, const QString& name, const QFont& def) {
    const QVariant v = bag.readProperty(name, def);
    if (v.metaType().id() == QMetaType::QFont) return v.value<QFont>();
    QFont f = def;
    return f.fromString(v.toString()) ? f : def;
}

void writeFont(PropertyBag& bag, const QString& name, const QFont& value, const QFont& def) {
    bag.writeProperty(name, value, def);
}

QPixmap readPicture(const PropertyBag& bag, const QString& name) {
    if (!bag.isStored(name)) return {};
    const QVariant v = bag.readProperty(name, QVariant());
    if (v.canConvert<QPixmap>()) return v.value<QPixmap>();
    if (v.canConvert<QImage>()) return QPixmap::fromImage(v.value<QImage>());
    return {};
}

void writePicture(PropertyBag& bag, const QString& name, const QPixmap& value) {
    // Pictures have no default to compare with: absent means "none".
    if (value.isNull())
        bag.remove(name);
    else
        bag.writeProperty(name, QVariant::fromValue(value.toImage()), QVariant());
}

}  // namespace kui::prop
