// The per-user registry: keys under the roots HKEY_CURRENT_USER and HKEY_CLASSES_ROOT holding
// a default value and named string (REG_SZ) or 32-bit (REG_DWORD) values, kept in one INI
// file (one section per key). Key and value names compare without regard to case.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace korvan {

enum class RegistryRoot { CurrentUser, ClassesRoot };

struct RegistryValue {
    enum class Type { String, Dword };
    Type type = Type::String;
    QString text;        // REG_SZ
    quint32 number = 0;  // REG_DWORD
    // The value as text: a string as it is, a number in decimal.
    QString asText() const;
};

class RegistryStore {
  public:
    explicit RegistryStore(QString file);

    // Each call reads the file afresh and replaces it atomically when it changes something.
    // An empty value name means the key's default value.
    bool createKey(RegistryRoot root, const QString& key);
    bool setString(RegistryRoot root, const QString& key, const QString& name,
                   const QString& value);
    bool setDword(RegistryRoot root, const QString& key, const QString& name, quint32 value);
    std::optional<RegistryValue> query(RegistryRoot root, const QString& key,
                                       const QString& name) const;
    bool keyExists(RegistryRoot root, const QString& key) const;
    bool deleteValue(RegistryRoot root, const QString& key, const QString& name);
    // Fails while the key still has subkeys, as the platform's call does.
    bool deleteKey(RegistryRoot root, const QString& key);

  private:
    bool set(RegistryRoot root, const QString& key, const QString& name, const QString& stored);

    QString file_;
};

// KORVAN's own key, HKEY_CURRENT_USER\Software\VORNHELM\KORVAN[\subkey], in the registry file
// of this process.
bool WriteAppRegistry(const QString& name, const QString& value, const QString& subkey = {});
bool WriteAppRegistry(const QString& name, quint32 value, const QString& subkey = {});
// The value's text, or `fallback` when the key or value is missing or empty.
QString ReadAppRegistry(const QString& name, const QString& subkey, const QString& fallback);

}  // namespace korvan
