// Calls by name, the way the program talks to components it loads at run time (the skin
// engine) and the way such a component talks to the program's controls: the method must be a
// slot or Q_INVOKABLE; arguments are converted to the parameter types. Nothing throws.
#pragma once

#include <QVariant>
#include <QVariantList>
#include <optional>

class QObject;

namespace kui {

// The method's result (an invalid QVariant for void), or nothing when no method of that name
// takes these arguments.
std::optional<QVariant> invokeByName(QObject* object, const char* name,
                                     const QVariantList& args = {});

// Whether the object has a callable method of that name with that many parameters.
bool hasMethod(const QObject* object, const char* name, int parameterCount);

}  // namespace kui
