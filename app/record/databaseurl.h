// Where the production record lives, from the text a user writes in Config.ini or on the
// command line: "postgresql://user@host:port/db?sslmode=..." (also "postgres://"), or
// "sqlite:///path/file.sqlite". A password in the text is refused: it belongs in ~/.pgpass or
// the file PGPASSFILE names, never in a settings file that is copied between stations.
#pragma once

#include <QString>
#include <optional>

namespace korvan::record {

struct DatabaseUrl {
    enum class Kind { Sqlite, Postgres };
    Kind kind = Kind::Sqlite;
    QString path;  // SQLite: the file
    QString user, host, database;
    int port = 5432;
    QString options;  // PostgreSQL: "key=value;..." for the driver (sslmode and the like)

    bool operator==(const DatabaseUrl&) const = default;
};

struct DatabaseUrlResult {
    std::optional<DatabaseUrl> url;
    QString error;  // why the text is not usable, when url is empty
};

DatabaseUrlResult ParseDatabaseUrl(const QString& text);

// The text again, as a user may be shown it (never with a password, as none is accepted).
QString DatabaseUrlText(const DatabaseUrl& url);

}  // namespace korvan::record
