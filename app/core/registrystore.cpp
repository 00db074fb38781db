#include "core/registrystore.h"

#include "core/apppaths.h"
#include "core/inidocument.h"

#include <utility>

namespace korvan {
namespace {

const QString kAppKey = QStringLiteral("Software\\VORNHELM\\KORVAN");

QString RootName(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? QStringLiteral("HKEY_CURRENT_USER")
                                             : QStringLiteral("HKEY_CLASSES_ROOT");
}

// Characters that would change the meaning of an INI line are stored as "%XX".
QString Escape(const QString& text) {
    QString out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '%' || u == '=' || u == '[' || u == ']' || u == '"' || u == ';' || u < 0x20 ||
            u == ' ') {
            out += QStringLiteral("%%1").arg(static_cast<int>(u), 2, 16, QChar('0')).toUpper();
        } else {
            out += c;
        }
    }
    return out;
}

int HexValue(QChar c) {
    return QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper());
}

QString Unescape(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += QChar(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// A key path without empty parts or surrounding "\", so "a\\b\" and "a\b" name one key.
QString NormalKey(const QString& key) {
    QStringList parts = key.split('\\', Qt::SkipEmptyParts);
    for (QString& part : parts) part = part.trimmed();
    parts.removeAll(QString());
    return parts.join('\\');
}

QString Section(RegistryRoot root, const QString& key) {
    const QString path = NormalKey(key);
    return Escape(path.isEmpty() ? RootName(root) : RootName(root) + '\\' + path);
}

QString ValueKey(const QString& name) {
    return name.isEmpty() ? QStringLiteral("@") : Escape(name);
}

std::optional<RegistryValue> Decode(const QString& stored) {
    RegistryValue value;
    if (stored.startsWith(QStringLiteral("sz:"))) {
        value.text = Unescape(stored.mid(3));
        return value;
    }
    if (stored.startsWith(QStringLiteral("dword:"))) {
        bool ok = false;
        value.type = RegistryValue::Type::Dword;
        value.number = stored.mid(6).toUInt(&ok, 16);
        if (ok) return value;
    }
    return std::nullopt;
}

}  // namespace

QString RegistryValue::asText() const {
    return type == Type::Dword ? QString::number(number) : text;
}

RegistryStore::RegistryStore(QString file) : file_(std::move(file)) {}

bool RegistryStore::createKey(RegistryRoot root, const QString& key) {
    if (keyExists(root, key)) return true;
    auto doc = IniDocument::loadForUpdate(file_);
    if (!doc) return false;
    doc->addSection(Section(root, key));
    return doc->save(file_);
}

bool RegistryStore::set(RegistryRoot root, const QString& key, const QString& name,
                        const QString& stored) {
    auto doc = IniDocument::loadForUpdate(file_);
    if (!doc) return false;
    // Writing what is there already leaves the file alone (KORVAN writes some values at
    // every start).
    if (doc->value(Section(root, key), ValueKey(name)) == stored) return true;
    doc->write(Section(root, key), ValueKey(name), stored);
    return doc->save(file_);
}

bool RegistryStore::setString(RegistryRoot root, const QString& key, const QString& name,
                              const QString& value) {
    // The platform stores text up to its first NUL.
    return set(root, key, name, "sz:" + Escape(value.section(QChar(0), 0, 0)));
}

bool RegistryStore::setDword(RegistryRoot root, const QString& key, const QString& name,
                             quint32 value) {
    return set(root, key, name, QStringLiteral("dword:%1").arg(value, 8, 16, QChar('0')));
}

std::optional<RegistryValue> RegistryStore::query(RegistryRoot root, const QString& key,
                                                  const QString& name) const {
    const auto stored = IniDocument::load(file_).value(Section(root, key), ValueKey(name));
    if (!stored) return std::nullopt;
    return Decode(*stored);
}

bool RegistryStore::keyExists(RegistryRoot root, const QString& key) const {
    return IniDocument::load(file_).hasSection(Section(root, key));
}

bool RegistryStore::deleteValue(RegistryRoot root, const QString& key, const QString& name) {
    auto doc = IniDocument::loadForUpdate(file_);
    if (!doc || !doc->value(Section(root, key), ValueKey(name))) return false;
    doc->removeKey(Section(root, key), ValueKey(name));
    return doc->save(file_);
}

bool RegistryStore::deleteKey(RegistryRoot root, const QString& key) {
    auto doc = IniDocument::loadForUpdate(file_);
    const QString section = Section(root, key);
    if (!doc || !doc->hasSection(section)) return false;
    const QString prefix = Unescape(section) + '\\';
    for (const QString& other : doc->sectionNames()) {
        if (Unescape(other).startsWith(prefix, Qt::CaseInsensitive)) return false;
    }
    doc->removeSection(section);
    return doc->save(file_);
}

bool WriteAppRegistry(const QString& name, const QString& value, const QString& subkey) {
    const QString key = subkey.isEmpty() ? kAppKey : kAppKey + '\\' + subkey;
    return RegistryStore(CurrentAppPaths().RegistryFile)
        .setString(RegistryRoot::CurrentUser, key, name, value);
}

bool WriteAppRegistry(const QString& name, quint32 value, const QString& subkey) {
    const QString key = subkey.isEmpty() ? kAppKey : kAppKey + '\\' + subkey;
    return RegistryStore(CurrentAppPaths().RegistryFile)
        .setDword(RegistryRoot::CurrentUser, key, name, value);
}

QString ReadAppRegistry(const QString& name, const QString& subkey, const QString& fallback) {
    const QString key = subkey.isEmpty() ? kAppKey : kAppKey + '\\' + subkey;
    const auto value =
        RegistryStore(CurrentAppPaths().RegistryFile).query(RegistryRoot::CurrentUser, key, name);
    if (!value || value->asText().isEmpty()) return fallback;
    return value->asText();
}

}  // namespace korvan
