// The database text: what a station writes in Config.ini or on the command line becomes a
// connection, and a text that would leak a password, smuggle driver options or name nothing is
// refused with its reason.
#include "record/databaseurl.h"
#include "record/recordtexts.h"

#include <gtest/gtest.h>

namespace korvan::record {
namespace {

using Kind = DatabaseUrl::Kind;

struct UrlCase {
    const char* text;
    bool ok;
    Kind kind = Kind::Postgres;
    const char* user = "";
    const char* host = "";
    int port = 5432;
    const char* database = "";
    const char* options = "";
    const char* path = "";
};

const UrlCase kCases[] = {
    {"postgresql://line@db.example/production", true, Kind::Postgres, "line", "db.example", 5432,
     "production"},
    {"  postgres://line@127.0.0.1:6543/prod  ", true, Kind::Postgres, "line", "127.0.0.1", 6543,
     "prod"},
    {"POSTGRESQL://db/prod", true, Kind::Postgres, "", "db", 5432, "prod"},
    {"postgresql://u@[::1]:7000/prod", true, Kind::Postgres, "u", "::1", 7000, "prod"},
    {"postgresql://u%40x@h/my%20db", true, Kind::Postgres, "u@x", "h", 5432, "my db"},
    {"postgresql://u@/prod", true, Kind::Postgres, "u", "", 5432, "prod"},
    {"postgresql://u@h/prod?sslmode=require&connect_timeout=3", true, Kind::Postgres, "u", "h",
     5432, "prod", "sslmode=require;connect_timeout=3"},
    {
        "sqlite:///var/lib/korvan/record.sqlite",
        true,
        Kind::Sqlite,
        "",
        "",
        5432,
        "",
        "",
        "",
    },
    // Refused.
    {"", false},
    {"   ", false},
    {"mysql://u@h/db", false},
    {"/tmp/record.sqlite", false},
    {"postgresql://u:secret@h/prod", false},
    {"postgresql://u:@h/prod", false},
    {"postgresql://u@h/prod?password=secret", false},
    {"postgresql://u@h/prod?PASSWORD=secret", false},
    {"postgresql://u@h/", false},
    {"postgresql://u@h", false},
    {"postgresql://u@h/a/b", false},
    {"postgresql://u@h:0/prod", false},
    {"postgresql://u@h:65536/prod", false},
    {"postgresql://u@h:54x/prod", false},
    {"postgresql://u@h:/prod", false},
    {"postgresql://u@h:+5432/prod", false},
    {"postgresql://u@[::1/prod", false},
    {"postgresql://u@h/prod?sslmode=require;password=x", false},
    {"postgresql://u@h/prod?sslmode=require%3Bpassword%3Dx", false},
    {"postgresql://u@h/prod?options=-c%20x", false},
    {"postgresql://u@h/prod?sslmode", false},
    {"postgresql://u@h/prod?sslmode=", false},
    {"postgresql://u%0A@h/prod", false},
    {"postgresql://u@h/pr%zzod", false},
    {"postgresql://u@h/prod%", false},
    {"postgresql://u@h/pr\nod", false},
    {"sqlite://", false},
};

TEST(DatabaseUrl, ParsesWhatAStationWritesAndRefusesTheRest) {
    for (const UrlCase& c : kCases) {
        SCOPED_TRACE(c.text);
        const DatabaseUrlResult r = ParseDatabaseUrl(QString::fromUtf8(c.text));
        ASSERT_EQ(r.url.has_value(), c.ok) << r.error.toStdString();
        if (!c.ok) {
            EXPECT_FALSE(r.error.isEmpty());
            continue;
        }
        EXPECT_EQ(r.url->kind, c.kind);
        EXPECT_EQ(r.url->user, QString::fromUtf8(c.user));
        EXPECT_EQ(r.url->host, QString::fromUtf8(c.host));
        EXPECT_EQ(r.url->port, c.port);
        EXPECT_EQ(r.url->database, QString::fromUtf8(c.database));
        EXPECT_EQ(r.url->options, QString::fromUtf8(c.options));
        if (c.kind == Kind::Sqlite) {
            EXPECT_EQ(r.url->path, "/var/lib/korvan/record.sqlite");
        }
        // The text shown again reads back as the same connection.
        const DatabaseUrlResult again = ParseDatabaseUrl(DatabaseUrlText(*r.url));
        ASSERT_TRUE(again.url.has_value()) << DatabaseUrlText(*r.url).toStdString();
        EXPECT_EQ(*again.url, *r.url);
    }
}

TEST(DatabaseUrl, APasswordIsSentToThePasswordFile) {
    for (const char* text : {"postgresql://u:secret@h/prod", "postgresql://u@h/prod?password=x"})
        EXPECT_EQ(ParseDatabaseUrl(QString::fromUtf8(text)).error, text::kUrlPassword) << text;
}

// Random texts are accepted or refused, never a crash, and what is accepted shows again as a
// text that reads back the same.
TEST(DatabaseUrl, RandomTextIsAcceptedOrRefusedNeverACrash) {
    const QString alphabet = QStringLiteral("postgresqlite:/@[]?&=%;:01259aAFz \n\t.-_:");
    quint32 seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    for (int round = 0; round < 5000; ++round) {
        QString text = round % 2 ? QStringLiteral("postgresql://") : QString();
        const int size = static_cast<int>(next() % 40);
        for (int i = 0; i < size; ++i) text += alphabet[static_cast<int>(next() % alphabet.size())];
        const DatabaseUrlResult r = ParseDatabaseUrl(text);
        if (!r.url) {
            EXPECT_FALSE(r.error.isEmpty()) << text.toStdString();
            continue;
        }
        const DatabaseUrlResult again = ParseDatabaseUrl(DatabaseUrlText(*r.url));
        ASSERT_TRUE(again.url.has_value()) << text.toStdString();
        EXPECT_EQ(*again.url, *r.url) << text.toStdString();
    }
}

}  // namespace
}  // namespace korvan::record
