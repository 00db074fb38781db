// The persisted properties of one control: name -> value, each read with a default, and a
// value equal to its default is not stored at all (so a saved form holds only what the user
// changed, and a changed default reaches every form that never overrode it).
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

class QSettings;

namespace kui {

class PropertyBag {
  public:
    PropertyBag() = default;
    explicit PropertyBag(const QVariantMap& stored) { fromMap(stored); }

    // Declares the default of a property, so that the one-argument read/write can be used.
    void setDefault(const QString& name, const QVariant& defaultValue);
    QVariant defaultOf(const QString& name) const { return m_defaults.value(name); }

    // The stored value converted to the type of the default, or the default itself when
    // nothing is stored or the stored value cannot be converted (a damaged settings file must
    // not turn a number into 0 silently).
    QVariant readProperty(const QString& name, const QVariant& defaultValue) const;
    QVariant readProperty(const QString& name) const;

    // Stores the value, or removes the entry when the value equals the default. Returns true
    // when the stored contents changed.
    bool writeProperty(const QString& name, const QVariant& value, const QVariant& defaultValue);
    bool writeProperty(const QString& name, const QVariant& value);

    bool isStored(const QString& name) const { return m_values.contains(name); }
    bool remove(const QString& name) { return m_values.remove(name) > 0; }
    void clear() { m_values.clear(); }
    bool isEmpty() const { return m_values.isEmpty(); }
    QStringList storedNames() const { return m_values.keys(); }

    // The stored values only (defaults are never serialised).
    QVariantMap toMap() const { return m_values; }
    void fromMap(const QVariantMap& stored) { m_values = stored; }

    // Replaces the settings group with the stored values; the group is emptied first so that a
    // property reset to its default disappears from the file too.
    void save(QSettings& settings, const QString& group) const;
    // Replaces the stored values with those of the settings group.
    void load(QSettings& settings, const QString& group);

    // Equality after converting `value` to the type of `defaultValue`.
    static bool equalsDefault(const QVariant& value, const QVariant& defaultValue);

  private:
    QVariantMap m_values;
    QVariantMap m_defaults;
};

}  // namespace kui
