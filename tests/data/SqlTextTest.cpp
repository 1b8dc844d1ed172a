#include "data/ADOConnection.h"
#include "data/CaseInsensitiveLike.h"
#include "data/ConnectionString.h"
#include "data/SqlDialect.h"
#include "toolkit/db/DatabaseError.h"

#include "SqliteFixture.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <string_view>
#include <utility>

TEST(ConnectionString, directoryStringIsExact)
{
    const QString expected =
        QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=velirsk.dat;Mode=Share Deny None;"
                       "Extended Properties=\"\";Jet OLEDB:System database=\"\";Jet OLEDB:Registry Path=\"\";"
                       "Jet OLEDB:Database Password=\"\";Jet OLEDB:Engine Type=4;Jet OLEDB:Database Locking Mode=0;"
                       "Jet OLEDB:Global Partial Bulk Ops=2;Jet OLEDB:Global Bulk Transactions=1;"
                       "Jet OLEDB:New Database Password=\"\";Jet OLEDB:Create System Database=False;"
                       "Jet OLEDB:Encrypt Database=False;Jet OLEDB:Don't Copy Locale on Compact=False;"
                       "Jet OLEDB:Compact Without Replica Repair=False;Jet OLEDB:SFP=False");
    EXPECT_EQ(DirectoryConnectionString().toUtf8(), expected.toUtf8());

    const TConnectionString parsed = TConnectionString::Parse(expected);
    EXPECT_EQ(parsed.Entries().size(), 18);
    EXPECT_EQ(parsed.Value(QStringLiteral("data source")), QStringLiteral("velirsk.dat"));
    EXPECT_EQ(parsed.Value(QStringLiteral("Extended Properties")), QString());
    EXPECT_EQ(parsed.ToString(), expected);
}

TEST(ConnectionString, quotedValuesMayHoldSeparators)
{
    const TConnectionString parsed =
        TConnectionString::Parse(QStringLiteral(" Data Source = \"a;b \"\"c\"\".dat\" ; Mode=Read;; "));
    EXPECT_EQ(parsed.Value(QStringLiteral("Data Source")), QStringLiteral("a;b \"c\".dat"));
    EXPECT_EQ(parsed.Value(QStringLiteral("Mode")), QStringLiteral("Read"));
    EXPECT_EQ(TConnectionString::Parse(parsed.ToString()).Value(QStringLiteral("Data Source")),
              QStringLiteral("a;b \"c\".dat"));
    const TConnectionString blanks = TConnectionString::Parse(QStringLiteral("Password=\" secret \""));
    EXPECT_EQ(TConnectionString::Parse(blanks.ToString()).Value(QStringLiteral("Password")), QStringLiteral(" secret "))
        << "blanks at a value's ends survive writing it back";
    EXPECT_THROW(TConnectionString::Parse(QStringLiteral("Data Source=\"open")), EDatabaseError);
    EXPECT_THROW(TConnectionString::Parse(QStringLiteral("Provider=x;garbage")), EDatabaseError);
}

TEST(Dialect, stringLiteralsBecomeSingleQuoted)
{
    struct Case {
        const char *input;
        const char *expected;
    };
    const Case cases[] = {
        {R"(SELECT a FROM t WHERE ((t.a) LIKE "x%");)", R"(SELECT a FROM t WHERE ((t.a) LIKE 'x%'))"},
        {R"(WHERE a LIKE "say ""hi""%")", R"(WHERE a LIKE 'say "hi"%')"},
        {R"(WHERE a LIKE "O'Neil%")", R"(WHERE a LIKE 'O''Neil%')"},
        {R"(WHERE a LIKE "x;y%" AND b = 1)", R"(WHERE a LIKE 'x;y%' AND b = 1)"},
        {R"(WHERE a LIKE "--%" AND b LIKE "/*%")", R"(WHERE a LIKE '--%' AND b LIKE '/*%')"},
        {"WHERE a LIKE \"line\r\nbreak%\"\r\n AND b LIKE \"%\";\r\n",
         "WHERE a LIKE 'line\r\nbreak%'\r\n AND b LIKE '%'"},
        {R"(WHERE a = 'it''s' AND [b c] = 2 -- "note")", R"(WHERE a = 'it''s' AND [b c] = 2 -- "note")"},
        {R"(WHERE a = "")", R"(WHERE a = '')"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TranslateDialect(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected)) << c.input;
}

TEST(Dialect, refusesWhatCannotBeRunSafely)
{
    const char *bad[] = {
        R"(SELECT 1; DROP TABLE t)",
        R"(SELECT 1 WHERE a LIKE "open)",
        R"(SELECT 1 WHERE a LIKE 'open)",
        R"(SELECT 1 /* open)",
        "  ;  ",
        "",
    };
    for (const char *statement : bad)
        EXPECT_THROW(TranslateDialect(QString::fromUtf8(statement)), EDatabaseError) << statement;
    EXPECT_THROW(TranslateDialect(QStringLiteral("SELECT 1 WHERE a = \"x") + QChar(u'\0') + QStringLiteral("\"")),
                 EDatabaseError);
    EXPECT_NO_THROW(TranslateDialect(QStringLiteral("SELECT 1;;  -- done\r\n")));
}

TEST(Dialect, oneTableQueriesAreTracedToTheirRows)
{
    const TQueryPlan search = PlanQuery(
        QStringLiteral("SELECT Велирск.Телефон, Велирск.Фамилия FROM Велирск WHERE (((Велирск.Телефон) LIKE \"2%\")\r\n"
                       " AND ((Велирск.Фамилия) LIKE \"%\")) ORDER BY Велирск.Квартира;\r\n"));
    ASSERT_TRUE(search.traceable);
    EXPECT_EQ(search.table, QStringLiteral("Велирск"));
    EXPECT_EQ(search.cursorSql, QStringLiteral("SELECT Велирск.rowid FROM Велирск WHERE Велирск.Телефон LIKE '2%' "
                                               "ORDER BY Велирск.Квартира"));
    EXPECT_TRUE(search.nullCursorSql.isEmpty());
    // Every row sorted: the rows whose sort key is NULL come first, listed apart.
    const TQueryPlan everyRow =
        PlanQuery(QStringLiteral("SELECT Велирск.Телефон FROM Велирск WHERE (Велирск.Телефон LIKE \"%\") "
                                 "ORDER BY Велирск.Квартира;"));
    EXPECT_EQ(everyRow.nullCursorSql,
              QStringLiteral("SELECT Велирск.rowid FROM Велирск WHERE Велирск.Квартира IS NULL"));
    EXPECT_EQ(everyRow.cursorSql,
              QStringLiteral(
                  "SELECT Велирск.rowid FROM Велирск WHERE Велирск.Квартира IS NOT NULL ORDER BY Велирск.Квартира"));
    EXPECT_EQ(search.readerSql,
              QStringLiteral("SELECT Велирск.Телефон, Велирск.Фамилия FROM Велирск WHERE Велирск.rowid = ?1"));

    // For the server: lower() on both sides without an escape, NULL keys
    // first as on the file, ties by rowid, numbered parameters.
    const TQueryPlan onServer =
        PlanQuery(QStringLiteral("SELECT [Велирск].Телефон FROM [Велирск] WHERE ((Велирск.Телефон) LIKE \"2\\%\") "
                                 "ORDER BY Велирск.Квартира DESC, Дом;"),
                  TSqlEngine::Postgres);
    EXPECT_EQ(onServer.cursorSql,
              QStringLiteral("SELECT \"Велирск\".rowid FROM \"Велирск\" WHERE lower(Велирск.Телефон) "
                             "LIKE lower('2\\%') ESCAPE '' ORDER BY Велирск.Квартира DESC NULLS LAST, "
                             "Дом NULLS FIRST, \"Велирск\".rowid"));
    EXPECT_TRUE(onServer.nullCursorSql.isEmpty());
    EXPECT_EQ(onServer.readerSql,
              QStringLiteral("SELECT \"Велирск\".Телефон FROM \"Велирск\" WHERE \"Велирск\".rowid = $1"));

    const TQueryPlan aliased = PlanQuery(QStringLiteral("select all * from [my table] as m where m.x = 1"));
    ASSERT_TRUE(aliased.traceable);
    EXPECT_EQ(aliased.table, QStringLiteral("my table"));
    EXPECT_EQ(aliased.readerSql, QStringLiteral("SELECT * from [my table] as m WHERE m.rowid = ?1"));

    const char *untraceable[] = {
        "SELECT DISTINCT a FROM t",   "SELECT count(*) FROM t",
        "SELECT a FROM t, u",         "SELECT a FROM t JOIN u ON t.x = u.x",
        "SELECT a FROM t GROUP BY a", "SELECT a FROM t UNION SELECT a FROM u",
        "SELECT (SELECT 1) FROM t",   "SELECT a FROM main.t",
        "PRAGMA table_info(t)",
    };
    for (const char *statement : untraceable)
        EXPECT_FALSE(PlanQuery(QString::fromUtf8(statement)).traceable) << statement;
    EXPECT_TRUE(
        PlanQuery(QStringLiteral("SELECT a FROM t WHERE a IN (SELECT b FROM u GROUP BY b) ORDER BY a, b")).traceable);
}

TEST(Dialect, cursorsOfPlainColumnsListRowidsWithLikeTermsInTheirFasterForm)
{
    const auto cursor = [](const char *statement) { return PlanQuery(QString::fromUtf8(statement)).cursorSql; };
    // Presence tests last; fixed texts before general patterns, longer first.
    EXPECT_EQ(cursor("SELECT * FROM t WHERE ((a LIKE \"%%\") AND (((t.b)) LIKE \"%x\")) AND c LIKE \"ab%\" "
                     "AND d LIKE \"abc\" ORDER BY t.a DESC, b LIMIT 5"),
              QStringLiteral("SELECT t.rowid FROM t WHERE d LIKE 'abc' AND c LIKE 'ab%' AND t.b LIKE '%x' "
                             "AND a IS NOT NULL ORDER BY t.a DESC, b LIMIT 5"));
    // "%" alone (an empty criterion) imposes nothing, even on an empty field.
    EXPECT_EQ(cursor("SELECT a FROM t WHERE (a LIKE \"%\") AND (b LIKE \"%\") ORDER BY a DESC"),
              QStringLiteral("SELECT t.rowid FROM t ORDER BY a DESC"));
    EXPECT_EQ(cursor("SELECT a FROM t WHERE a LIKE \"%\" AND b LIKE \"%%\""),
              QStringLiteral("SELECT t.rowid FROM t WHERE b IS NOT NULL"));
    // Other conditions run as written, still over the rowids alone.
    EXPECT_EQ(cursor("SELECT a FROM t WHERE a LIKE \"%\" OR b LIKE \"%\""),
              QStringLiteral("SELECT t.rowid FROM t WHERE a LIKE '%' OR b LIKE '%'"));
    for (const char *kept :
         {"SELECT a FROM t WHERE a LIKE \"%\" ESCAPE \"!\"", "SELECT a FROM t WHERE NOT a LIKE \"%\"",
          "SELECT a FROM t WHERE a LIKE b", "SELECT a FROM t WHERE a LIKE ?", "SELECT a FROM t WHERE a = 1"}) {
        EXPECT_FALSE(cursor(kept).contains(QStringLiteral("IS NOT NULL"))) << kept;
        EXPECT_TRUE(cursor(kept).startsWith(QStringLiteral("SELECT t.rowid FROM t WHERE "))) << kept;
    }
    // A list that may name an alias, or an ORDER BY by position, keeps the whole statement.
    for (const char *whole :
         {"SELECT a AS x FROM t WHERE x LIKE \"%\"", "SELECT a x FROM t ORDER BY x", "SELECT a, b FROM t ORDER BY 2",
          "SELECT a + 1 FROM t ORDER BY a", "SELECT a FROM t ORDER BY a + 1"})
        EXPECT_TRUE(cursor(whole).startsWith(QStringLiteral("SELECT t.rowid, "))) << whole;
}

namespace {

// The pattern as the SQL text carries it; the text as stored bytes.
bool Like(const char *pattern, std::string_view storedBytes, char32_t escape = 0)
{
    return TLikePattern(QString::fromUtf8(pattern), escape).Matches(storedBytes);
}

} // namespace

TEST(Like, ignoresCaseInEveryScriptAndKnowsItsWildcards)
{
    struct Case {
        const char *pattern;
        const char *text;
        bool matches;
    };
    const Case cases[] = {
        {"иван%", "Иванов", true},
        {"ИВАН%", "Иванов", true},
        {"иванов", "ИВАНОВ", true},
        {"иван", "Иванов", false},
        {"smith%", "SMITHSON", true},
        {"%", "", true},
        {"%", "что угодно", true},
        {"", "", true},
        {"", "a", false},
        {"ё%", "Ёлкин", true},
        {"е%", "Ёлкин", false},
        {"%ова", "Петрова", true},
        {"%ова%", "Петров", false},
        {"п_тр%", "Пётр", true},
        {"п_тр%", "Питер", false},
        {"_", "Ж", true},
        {"__", "Ж", false},
        {"%a%b%c", "xxaxxbxxcxx", false},
        {"%a%b%c", "xxaxxbxxc", true},
        {"Ünter%", "üNTERWEG", true},
        {"12-%", "12-34-56", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Like(c.pattern, c.text), c.matches) << c.pattern << " / " << c.text;

    EXPECT_TRUE(Like("100!%", "100%", U'!'));
    EXPECT_FALSE(Like("100!%", "1000", U'!'));
    EXPECT_TRUE(Like("a!_b", "a_b", U'!'));
    EXPECT_FALSE(Like("a!_b", "axb", U'!'));
    // A cut UTF-8 sequence is no UTF-8 and reads as Windows-1251, as the grid shows it.
    EXPECT_FALSE(Like("я%", "\xD1"));
    EXPECT_TRUE(Like("с", "\xD1"));

    // A text is turned down by its first byte only when no character that
    // byte can begin, nor the byte's Windows-1251 letter, folds to the
    // pattern's first one.
    const Case firstCharacters[] = {
        {"μ%", "\u00B5m", true},       // micro sign, two bytes
        {"s%", "\u017Fun", true},      // long s
        {"k%", "\u212Aelvin", true},   // Kelvin sign, three bytes
        {"ω_", "\u2126x", true},       // Ohm sign
        {"и%", "\xE0\x90\xB8", false}, // "и" over-long is no character
        {"ађё", "\xE0\x90\xB8", true}, // and reads as Windows-1251
        {"бњ", "\xC1\x9C", true},
        {"a%", "\xC1\xA1", false},
        {"я%", "\xFF", true},
        {"ив%", "\xC8\xE2", true},
        {"р%", "\xD0", true},
        {"\uFFFD%", "\x98", true},            // the one byte Windows-1251 leaves unassigned
        {"с%", "\xD1\xB8\xEC\xE8\xED", true}, // "Сёмин"; its first two bytes alone are UTF-8
        {"\u0479%", "\xD1\xB8\xEC\xE8\xED", false},
        {"\uFFFD%", "И", false},
        {"и%", "", false},
        {"и_", "Й", false},
        {"\U00010428%", "\U00010400x", true}, // four bytes
        {"kelvin", "\u212AELVIN", true},
        {"a\uFEFFb", "A\uFEFFB", true}, // a byte-order mark inside is a character like any other
        {"kelvin", "\u212AELVINS", false},
        {"ив%", "Ив\xFF", false}, // a stray byte after a fitting beginning makes it all Windows-1251
    };
    for (const Case &c : firstCharacters)
        EXPECT_EQ(Like(c.pattern, c.text), c.matches) << c.pattern << " / " << c.text;
}

// Wildcards anywhere are settled on a value's UTF-8 bytes: each place is
// found by one byte of the character and confirmed by the whole, whatever
// the length of each form of a letter, and also past the first sixteen
// bytes, which are searched together.
TEST(Like, wildcardsAnywhereFindCharactersOfEveryLength)
{
    struct Case {
        const char *pattern;
        const char *text;
        bool matches;
    };
    const std::string longPrefix = "Длинная улица имени "; // well past sixteen bytes
    const Case cases[] = {
        {"%ван%", "Иванов", true},
        {"%ВАН", "Иванов", false},
        {"%ван%", "Иᲀанов", true}, // the old rounded "в" folds to "в" in three bytes
        {"%ᲀан%", "ИВАНОВ", true},
        {"%в%", "x²y", false}, // "²" ends in the byte that ends "в"
        {"%в%", "²²²²²²²²²²в", true},
        {"%k", "abcK", true}, // Kelvin sign, three bytes, at the very end
        {"%kk%", "Kk", true},
        {"%_", "", false},
        {"%_", "𐐀", true}, // "_" is one character of four bytes
        {"%а_в", "ааЖв", true},
        {"%а_в", "аЖЖв", false},
        {"%ов%ов", "Петров-Иванов", true},
        {"%ов%ов", "Петров", false}, // the last piece may not reuse the inner one
        {"и%в%а", "Иванова", true},
        {"и%в%а", "Иванов", false},
        {"%_в_%", "в", false},
        {"%о%о%о%", "ооо", true},
        {"%о%о%о%", "оо", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Like(c.pattern, c.text), c.matches) << c.pattern << " / " << c.text;

    // The same past the first sixteen bytes, and across their edge.
    for (size_t length = 0; length <= 20; ++length) {
        std::string cyrillic;
        for (size_t i = 0; i < length; ++i)
            cyrillic += "ж";
        for (const std::string &prefix : {std::string(length, '.'), cyrillic}) {
            EXPECT_TRUE(Like("%иван%", prefix + "Иванов")) << prefix;
            EXPECT_TRUE(Like("%иван", prefix + "ИВАН")) << prefix;
            EXPECT_FALSE(Like("%иван%", prefix + "Ивэнов")) << prefix;
            EXPECT_TRUE(Like("%и_ан%", prefix + "ИЖАН")) << prefix;
        }
    }
    // A stray byte anywhere makes the whole value Windows-1251, as the grid shows it.
    EXPECT_FALSE(Like("%ван%", longPrefix + "Иванов\xFF"));
    EXPECT_TRUE(Like("%я", longPrefix + "\xFF"));
    EXPECT_TRUE(Like("%я", "\xFF"));
}

TEST(Like, caseFoldingLeavesCharactersPastTheCasedPlanesAlone)
{
    constexpr char32_t kLastCodePoint = 0x10FFFF;
    char32_t changed = 0;
    for (char32_t c = kEndOfCasedCharacters; c <= kLastCodePoint && changed == 0; ++c)
        changed = FoldCase(c) != c ? c : 0;
    EXPECT_EQ(changed, 0u);
    char32_t escaping = 0;
    for (char32_t c = 0; c < kEndOfCasedCharacters && escaping == 0; ++c)
        escaping = FoldCase(c) >= kEndOfCasedCharacters ? c : 0;
    EXPECT_EQ(escaping, 0u);
}

// The SQL function reads every argument as characters before it compares:
// a pattern's malformed bytes each read as the replacement character, and
// never as a wildcard or an escape that the bytes do not show.
TEST(Like, sqlFunctionReadsEveryArgumentSafely)
{
    SqliteFixture fixture;
    fixture.CreateDirectory({});
    TADOConnection connection;
    connection.SetConnectionString(fixture.ConnectionString());
    connection.Open();
    // The value of `expression`; nothing for NULL, -1 for an error.
    const auto evaluate = [&](const char *expression) -> std::optional<int> {
        sqlite3_stmt *statement = nullptr;
        const std::string sql = std::string("SELECT ") + expression;
        if (sqlite3_prepare_v2(connection.Handle(), sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            return -1;
        std::optional<int> result = -1;
        if (sqlite3_step(statement) == SQLITE_ROW)
            result = sqlite3_column_type(statement, 0) == SQLITE_NULL ? std::nullopt
                                                                      : std::optional(sqlite3_column_int(statement, 0));
        sqlite3_finalize(statement);
        return result;
    };

    // An over-long "и" is no escape "и", an over-long "%" no wildcard.
    EXPECT_EQ(evaluate("'%' LIKE CAST(X'E090B825' AS TEXT) ESCAPE 'и'"), 0);
    EXPECT_EQ(evaluate("char(65533, 65533, 65533) || 'abc' LIKE CAST(X'E090B825' AS TEXT) ESCAPE 'и'"), 1);
    EXPECT_EQ(evaluate("'abc' LIKE CAST(X'C0A5' AS TEXT)"), 0);
    EXPECT_EQ(evaluate("char(65533, 65533, 65533, 65533) LIKE CAST(X'F4908080' AS TEXT)"), 1);
    EXPECT_EQ(evaluate("'100%' LIKE '100ж%' ESCAPE 'Ж'"), 0);
    EXPECT_EQ(evaluate("'100%' LIKE '100ж%' ESCAPE 'ж'"), 1);
    EXPECT_EQ(evaluate("'1000' LIKE '100ж%' ESCAPE 'ж'"), 0);
    EXPECT_EQ(evaluate("'a' LIKE 'a' ESCAPE 'жж'"), -1);

    // A character beyond the first plane is one character, for "_" too.
    EXPECT_EQ(evaluate("char(66560) || 'b' LIKE '_B'"), 1);
    EXPECT_EQ(evaluate("char(66560) || 'b' LIKE '__B'"), 0);
    EXPECT_EQ(evaluate("char(66560) || 'b' LIKE char(66600) || '%'"), 1);
    EXPECT_EQ(evaluate("'Пётр' LIKE 'п_ТР'"), 1);

    // A value's first bytes alone may turn it down, its end and NULs included.
    EXPECT_EQ(evaluate("'' LIKE 'a%'"), 0);
    EXPECT_EQ(evaluate("'' LIKE char(0) || '%'"), 0);
    EXPECT_EQ(evaluate("CAST(X'00' AS TEXT) LIKE char(0) || '%'"), 1);
    EXPECT_EQ(evaluate("CAST(X'0061' AS TEXT) LIKE char(0) || 'A'"), 1);
    EXPECT_EQ(evaluate("CAST(X'D0' AS TEXT) LIKE 'р%'"), 1);
    EXPECT_EQ(evaluate("CAST(X'D0' AS TEXT) LIKE 'и%'"), 0);
    EXPECT_EQ(evaluate("CAST(X'D000' AS TEXT) LIKE 'и%'"), 0);
    EXPECT_EQ(evaluate("'и' LIKE 'И%'"), 1);

    // Other storage classes compare as their text. NULL on either side is
    // NULL, but for the pattern of an empty criterion, "%" alone.
    EXPECT_EQ(evaluate("12 LIKE '1%'"), 1);
    EXPECT_EQ(evaluate("X'C8E2E0ED' LIKE 'ив%'"), 1);
    EXPECT_EQ(evaluate("X'D098D0B2' LIKE '_В'"), 1);
    EXPECT_EQ(evaluate("NULL LIKE '%'"), 1);
    EXPECT_EQ(evaluate("NULL LIKE '%%'"), std::nullopt);
    EXPECT_EQ(evaluate("NULL LIKE '%' ESCAPE '%'"), std::nullopt);
    EXPECT_EQ(evaluate("NULL LIKE '_%'"), std::nullopt);
    EXPECT_EQ(evaluate("'a' LIKE NULL"), std::nullopt);
}

// A compiled pattern serves its call for as long as its argument stays the
// same: a pattern taken from each row, or a parameter bound anew after a
// reset, is read again.
TEST(Like, compiledPatternsFollowTheirArguments)
{
    SqliteFixture fixture;
    fixture.CreateDirectory({Record({"1", "Иванов", "", "", "", "", ""}), Record({"2", "Петров", "", "", "", "", ""})});
    TADOConnection connection;
    connection.SetConnectionString(fixture.ConnectionString());
    connection.Open();
    sqlite3 *db = connection.Handle();
    const auto rows = [&](sqlite3_stmt *statement) {
        std::string found;
        while (sqlite3_step(statement) == SQLITE_ROW)
            found += reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)) + std::string(" ");
        return found;
    };

    sqlite3_stmt *perRow = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(
            db, "SELECT column1 LIKE column2 FROM (VALUES ('abc', 'a%'), ('abc', 'b%'), ('abc', '%C'), ('abc', 'abc'))",
            -1, &perRow, nullptr),
        SQLITE_OK);
    EXPECT_EQ(rows(perRow), "1 0 1 1 ");
    sqlite3_finalize(perRow);

    sqlite3_stmt *bound = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(db, "SELECT Телефон FROM Велирск WHERE Фамилия LIKE ?1 ORDER BY rowid", -1, &bound, nullptr),
        SQLITE_OK);
    for (const auto &[pattern, expected] : {std::pair("и%", "1 "), std::pair("П%", "2 "), std::pair("%ов", "1 2 ")}) {
        sqlite3_bind_text(bound, 1, pattern, -1, SQLITE_TRANSIENT);
        EXPECT_EQ(rows(bound), expected) << pattern;
        sqlite3_reset(bound);
    }
    sqlite3_finalize(bound);

    // Two statements at once, each with its own pattern at the same place.
    sqlite3_stmt *first = nullptr;
    sqlite3_stmt *second = nullptr;
    sqlite3_prepare_v2(db, "SELECT Телефон FROM Велирск WHERE Фамилия LIKE 'и%'", -1, &first, nullptr);
    sqlite3_prepare_v2(db, "SELECT Телефон FROM Велирск WHERE Фамилия LIKE 'п%'", -1, &second, nullptr);
    ASSERT_EQ(sqlite3_step(first), SQLITE_ROW);
    ASSERT_EQ(sqlite3_step(second), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char *>(sqlite3_column_text(first, 0)), "1");
    EXPECT_STREQ(reinterpret_cast<const char *>(sqlite3_column_text(second, 0)), "2");
    sqlite3_finalize(first);
    sqlite3_finalize(second);
}
