#include "propertybag.h"

#include <QSettings>

namespace kui {

namespace {

// A value as the type of the default wants it; invalid when that is impossible.
QVariant convertedLike(const QVariant& value, const QVariant& like) {
    if (!like.isValid() || value.metaType() == like.metaType()) return value;
    QVariant v = value;
    // Settings files hand back booleans as text; QVariant converts only "true"/"false" and
    // gives false for anything else, which would hide a damaged entry.
    if (like.metaType().id() == QMetaType::Bool && v.metaType().id() == QMetaType::QString) {
        const QString t = v.toString().trimmed().toLower();
        if (t == QLatin1String("true") || t == QLatin1String("-1") || t == QLatin1String("1"))
            return true;
        if (t == QLatin1String("false") || t == QLatin1String("0")) return false;
        return {};
    }
    if (!v.canConvert(like.metaType()) || !v.convert(like.metaType())) return {};
    return v;
}

}  // namespace

void PropertyBag::setDefault(const QString& name, const QVariant& defaultValue) {
    m_defaults.insert(name, defaultValue);
}

bool PropertyBag::equalsDefault(const QVariant& value, const QVariant& defaultValue) {
    if (!defaultValue.isValid()) return !value.isValid();
    const QVariant v = convertedLike(value, defaultValue);
    return v.isValid() && v == defaultValue;
}

QVariant PropertyBag::readProperty(const QString& name, const QVariant& defaultValue) const {
    const auto it = m_values.constFind(name);
    if (it == m_values.constEnd()) return defaultValue;
    const QVariant v = convertedLike(it.value(), defaultValue);
    return v.isValid() ? v : defaultValue;
}

QVariant PropertyBag::readProperty(const QString& name) const {
    return readProperty(name, m_defaults.value(name));
}

bool PropertyBag::writeProperty(const QString& name, const QVariant& value,
                                const QVariant& defaultValue) {
    if (equalsDefault(value, defaultValue)) return m_values.remove(name) > 0;
    const auto it = m_values.constFind(name);
    if (it != m_values.constEnd() && it.value() == value) return false;
    m_values.insert(name, value);
    return true;
}

bool PropertyBag::writeProperty(const QString& name, const QVariant& value) {
    return writeProperty(name, value, m_defaults.value(name));
}

void PropertyBag::save(QSettings& settings, const QString& group) const {
    settings.beginGroup(group);
    settings.remove(QString());
    for (auto it = m_values.constBegin(); it != m_values.constEnd(); ++it)
        settings.setValue(it.key(), it.value());
    settings.endGroup();
}

void PropertyBag::load(QSettings& settings, const QString& group) {
    m_values.clear();
    settings.beginGroup(group);
    const QStringList keys = settings.childKeys();
    for (const QString& key : keys) m_values.insert(key, settings.value(key));
    settings.endGroup();
}

}  // namespace kui
