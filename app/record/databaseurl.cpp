#include "record/databaseurl.h"

#include "record/recordtexts.h"

#include <QUrl>
#include <algorithm>

namespace korvan::record {
namespace {

// The libpq options a station may set in the text; anything else (a password above all) is
// refused rather than passed on.
const QStringList kAllowedOptions = {QStringLiteral("sslmode"),
                                     QStringLiteral("connect_timeout"),
                                     QStringLiteral("sslrootcert"),
                                     QStringLiteral("sslcert"),
                                     QStringLiteral("sslkey"),
                                     QStringLiteral("application_name"),
                                     QStringLiteral("target_session_attrs")};

bool HasControl(const QString& text) {
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter) return true;
    return false;
}

// Percent-decoded; empty optional when the escapes are broken or decode to control bytes.
std::optional<QString> Decoded(const QString& part) {
    for (qsizetype i = part.indexOf('%'); i >= 0; i = part.indexOf('%', i + 1)) {
        bool ok = false;
        if (i + 2 >= part.size()) return {};
        part.mid(i + 1, 2).toInt(&ok, 16);
        if (!ok) return {};
    }
    const QString text = QUrl::fromPercentEncoding(part.toUtf8());
    if (HasControl(text)) return {};
    return text;
}

DatabaseUrlResult Refuse(const QString& why) {
    return {std::nullopt, why};
}

DatabaseUrlResult ParsePostgres(const QString& rest) {
    DatabaseUrl url;
    url.kind = DatabaseUrl::Kind::Postgres;
    QString body = rest;
    QString query;
    if (const qsizetype q = body.indexOf('?'); q >= 0) {
        query = body.mid(q + 1);
        body.truncate(q);
    }
    QString authority = body;
    QString database;
    if (const qsizetype slash = body.indexOf('/'); slash >= 0) {
        authority = body.left(slash);
        database = body.mid(slash + 1);
    }
    if (const qsizetype at = authority.lastIndexOf('@'); at >= 0) {
        const QString userInfo = authority.left(at);
        authority = authority.mid(at + 1);
        if (userInfo.contains(':')) return Refuse(text::kUrlPassword);
        const auto user = Decoded(userInfo);
        if (!user) return Refuse(text::kUrlBadCharacter);
        url.user = *user;
    }
    QString host = authority;
    QString port;
    if (authority.startsWith('[')) {
        const qsizetype close = authority.indexOf(']');
        if (close < 0) return Refuse(text::UrlScheme(QStringLiteral("postgresql://") + rest));
        host = authority.mid(1, close - 1);
        const QString after = authority.mid(close + 1);
        if (!after.isEmpty()) {
            if (!after.startsWith(':')) return Refuse(text::UrlBadPort(after));
            port = after.mid(1);
        }
    } else if (const qsizetype colon = authority.lastIndexOf(':'); colon >= 0) {
        host = authority.left(colon);
        port = authority.mid(colon + 1);
    }
    if (!port.isEmpty() || authority.endsWith(':')) {
        bool ok = false;
        const int number = port.toInt(&ok);
        const bool digits =
            std::all_of(port.begin(), port.end(), [](QChar c) { return c.isDigit(); });
        if (!ok || !digits || number < 1 || number > 65535) return Refuse(text::UrlBadPort(port));
        url.port = number;
    }
    const auto decodedHost = Decoded(host);
    const auto decodedDb = Decoded(database);
    if (!decodedHost || !decodedDb) return Refuse(text::kUrlBadCharacter);
    url.host = *decodedHost;
    url.database = *decodedDb;
    if (url.database.isEmpty() || url.database.contains('/')) return Refuse(text::kUrlNoDatabase);

    QStringList options;
    for (const QString& pair : query.split('&', Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf('=');
        const QString key = pair.left(eq).trimmed().toLower();
        const auto value = Decoded(eq < 0 ? QString() : pair.mid(eq + 1));
        if (key == QLatin1String("password")) return Refuse(text::kUrlPassword);
        // A value with ";" or blanks would smuggle further options into the driver's list.
        if (eq < 0 || !kAllowedOptions.contains(key) || !value || value->isEmpty() ||
            value->contains(';') || value->contains(' ') || value->contains('\''))
            return Refuse(text::UrlBadOption(pair));
        options << key + QLatin1Char('=') + *value;
    }
    url.options = options.join(';');
    return {url, {}};
}

}  // namespace

DatabaseUrlResult ParseDatabaseUrl(const QString& input) {
    const QString text = input.trimmed();
    if (text.isEmpty()) return Refuse(text::kUrlEmpty);
    if (HasControl(text)) return Refuse(text::kUrlBadCharacter);
    for (const char* scheme : {"postgresql://", "postgres://"})
        if (text.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
            return ParsePostgres(text.mid(qsizetype(qstrlen(scheme))));
    const QLatin1String sqlite("sqlite://");
    if (text.startsWith(sqlite, Qt::CaseInsensitive)) {
        const auto path = Decoded(text.mid(sqlite.size()));
        if (!path) return Refuse(text::kUrlBadCharacter);
        if (path->isEmpty()) return Refuse(text::kUrlNoPath);
        DatabaseUrl url;
        url.path = *path;
        return {url, {}};
    }
    return Refuse(text::UrlScheme(text));
}

QString DatabaseUrlText(const DatabaseUrl& url) {
    auto encoded = [](const QString& part, const QByteArray& keep = {}) {
        return QString::fromLatin1(QUrl::toPercentEncoding(part, keep));
    };
    if (url.kind == DatabaseUrl::Kind::Sqlite)
        return QStringLiteral("sqlite://") + encoded(url.path, "/");
    QString text = QStringLiteral("postgresql://");
    if (!url.user.isEmpty()) text += encoded(url.user) + '@';
    text += url.host.contains(':') ? '[' + encoded(url.host, ":") + ']' : encoded(url.host);
    if (url.port != 5432) text += ':' + QString::number(url.port);
    text += '/' + encoded(url.database);
    QStringList options;
    for (const QString& option : url.options.split(';', Qt::SkipEmptyParts)) {
        const qsizetype eq = option.indexOf('=');
        options << option.left(eq) + '=' + encoded(option.mid(eq + 1));
    }
    if (!options.isEmpty()) text += '?' + options.join('&');
    return text;
}

}  // namespace korvan::record
