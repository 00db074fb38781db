// Typed reading and writing of control properties in a PropertyBag. Colours are kept as
// unsigned numbers (0x00BBGGRR or a system index), pictures as images, and a picture that is
// absent is not stored at all.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QString>

#include "ui/core/colorrule.h"
#include "ui/core/propertybag.h"

namespace kui::prop {

OleColor readColor(const PropertyBag& bag, const QString& name, OleColor def);
void writeColor(PropertyBag& bag, const QString& name, OleColor value, OleColor def);

int readInt(const PropertyBag& bag, const QString& name, int def);
void writeInt(PropertyBag& bag, const QString& name, int value, int def);

bool readBool(const PropertyBag& bag, const QString& name, bool def);
void writeBool(PropertyBag& bag, const QString& name, bool value, bool def);

QString readString(const PropertyBag& bag, const QString& name, const QString& def);
void writeString(PropertyBag& bag, const QString& name, const QString& value, const QString& def);

QFont readFont(const PropertyBag& bag, const QString& name, const QFont& def);
void writeFont(PropertyBag& bag, const QString& name, const QFont& value, const QFont& def);

QPixmap readPicture(const PropertyBag& bag, const QString& name);
void writePicture(PropertyBag& bag, const QString& name, const QPixmap& value);

}  // namespace kui::prop
