// Writes a sample directory of the town Velirsk: the SQLite file the program
// opens, with the table "Велирск" and its seven text fields.
//
//   make_directory <path> [rows]      (rows: default 3000)
//
// The content is deterministic: the same row count gives the same file.
// A few rows hold NULLs and a few are exact copies of others, as in a
// directory kept by hand for years. The file must not exist yet.

#include "ToolArguments.h"

#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <sys/stat.h>

namespace {

constexpr long kDefaultRows = 3000;
constexpr long kMaximumRows = 50'000'000;

// splitmix64: small, fast, and the same on every platform.
class Random
{
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed)
    { }
    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int bound) { return int(Next() % std::uint64_t(bound)); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <size_t N> const char *Pick(const std::array<const char *, N> &items) { return items[Below(int(N))]; }

private:
    std::uint64_t m_state;
};

// Male forms; the female form adds "а" (Иванов / Иванова) or, for the
// adjective-like names, turns "ий" into "ая".
const std::array<const char *, 60> kSurnames{
    "Иванов",   "Смирнов",  "Кузнецов",  "Попов",    "Васильев", "Петров",   "Соколов", "Михайлов", "Новиков",
    "Фёдоров",  "Морозов",  "Волков",    "Алексеев", "Лебедев",  "Семёнов",  "Егоров",  "Павлов",   "Козлов",
    "Степанов", "Николаев", "Орлов",     "Андреев",  "Макаров",  "Никитин",  "Захаров", "Зайцев",   "Соловьёв",
    "Борисов",  "Яковлев",  "Григорьев", "Романов",  "Воробьёв", "Сергеев",  "Кузьмин", "Фролов",   "Александров",
    "Дмитриев", "Королёв",  "Гусев",     "Киселёв",  "Ильин",    "Максимов", "Поляков", "Сорокин",  "Виноградов",
    "Ковалёв",  "Белов",    "Медведев",  "Антонов",  "Тарасов",  "Жуков",    "Баранов", "Филиппов", "Комаров",
    "Давыдов",  "Беляев",   "Герасимов", "Богданов", "Осипов",   "Сидоров"};
const std::array<const char *, 8> kAdjectiveSurnames{"Островский", "Вишневский", "Жуковский", "Покровский",
                                                     "Высоцкий",   "Бельский",   "Крутицкий", "Раевский"};
const std::array<const char *, 30> kStreets{
    "Ленина",   "Советская",    "Мира",       "Садовая",    "Школьная",      "Лесная",       "Набережная", "Молодёжная",
    "Заречная", "Первомайская", "Пушкина",    "Гагарина",   "Комсомольская", "Октябрьская",  "Полевая",    "Луговая",
    "Кирова",   "Чапаева",      "Строителей", "Речная",     "Зелёная",       "Пролетарская", "Вокзальная", "Западная",
    "Рабочая",  "Северная",     "Горького",   "Лермонтова", "Почтовая",      "Фабричная"};
const std::array<const char *, 24> kOrganisations{"Велирская городская больница",
                                                  "Школа № 1",
                                                  "Школа № 2",
                                                  "Детский сад «Солнышко»",
                                                  "Почта России",
                                                  "Велирский хлебозавод",
                                                  "Аптека «Здоровье»",
                                                  "Городская администрация",
                                                  "Библиотека им. Пушкина",
                                                  "Магазин «Продукты»",
                                                  "Сбербанк",
                                                  "Отделение полиции",
                                                  "Пожарная часть № 12",
                                                  "Дом культуры",
                                                  "Велирская швейная фабрика",
                                                  "Автовокзал",
                                                  "Редакция газеты «Велирский вестник»",
                                                  "Музыкальная школа",
                                                  "ООО «Велирскстрой»",
                                                  "Парикмахерская «Локон»",
                                                  "Ветеринарная клиника",
                                                  "Кафе «Встреча»",
                                                  "Районная электросеть",
                                                  "Водоканал"};
const std::array<const char *, 4> kBuildings{"1", "2", "А", "Б"};

std::string Surname(Random &random)
{
    const bool female = random.Chance(50);
    if (random.Chance(8)) {
        std::string name = random.Pick(kAdjectiveSurnames);
        if (female)
            name = name.substr(0, name.size() - 4) + "ая"; // "ий" is four bytes in UTF-8
        return name;
    }
    std::string name = random.Pick(kSurnames);
    return female ? name + "а" : name;
}

std::string PhoneNumber(Random &random)
{
    // Room for three ints of any value, so that the compiler can prove that
    // nothing is cut; the numbers themselves stay short.
    constexpr size_t kLongestInt = std::numeric_limits<int>::digits10 + 2;
    char text[3 * kLongestInt + 3];
    std::snprintf(text, sizeof text, "%d-%02d-%02d", 2 + random.Below(7), random.Below(100), random.Below(100));
    return text;
}

struct Row {
    std::array<std::string, 7> values;
    std::array<bool, 7> null{};
};

Row MakeRow(Random &random)
{
    Row row;
    const bool business = random.Chance(12);
    row.values[0] = PhoneNumber(random);
    row.values[1] = business ? std::string() : Surname(random);
    row.values[2] = random.Pick(kStreets);
    row.values[3] = std::to_string(1 + random.Below(random.Chance(80) ? 60 : 140));
    row.values[4] = random.Chance(15) ? random.Pick(kBuildings) : "";
    row.values[5] = business ? std::string() : std::to_string(1 + random.Below(120));
    row.values[6] = business ? random.Pick(kOrganisations) : "";
    // Now and then a field was never filled in at all.
    if (random.Chance(1))
        row.null[1 + random.Below(6)] = true;
    return row;
}

bool Check(sqlite3 *db, int rc, const char *what)
{
    if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW)
        return true;
    std::fprintf(stderr, "make_directory: %s: %s\n", what, sqlite3_errmsg(db));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> exit = CheckToolArguments(argc, argv, "make_directory PATH [ROWS]", 1, 2))
        return *exit;
    const char *path = argv[1];
    long rows = kDefaultRows;
    if (argc == 3) {
        char *end = nullptr;
        rows = std::strtol(argv[2], &end, 10);
        if (argv[2][0] == '\0' || *end != '\0' || rows < 0 || rows > kMaximumRows) {
            std::fprintf(stderr, "make_directory: the row count must be a number from 0 to %ld\n", kMaximumRows);
            return 2;
        }
    }
    struct stat existing;
    if (stat(path, &existing) == 0) {
        std::fprintf(stderr, "make_directory: %s exists already; remove it first\n", path);
        return 1;
    }

    sqlite3 *db = nullptr;
    if (!Check(db, sqlite3_open_v2(path, &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr), "open")) {
        sqlite3_close(db);
        return 1;
    }
    bool ok = Check(db,
                    sqlite3_exec(db,
                                 "PRAGMA synchronous = OFF;"
                                 "BEGIN;"
                                 "CREATE TABLE \"Велирск\" ("
                                 "\"Телефон\" VARCHAR(10), \"Фамилия\" VARCHAR(50), \"Улица\" VARCHAR(50),"
                                 "\"Дом\" VARCHAR(10), \"Корпус\" VARCHAR(10), \"Квартира\" VARCHAR(10),"
                                 "\"Организация\" VARCHAR(100));",
                                 nullptr, nullptr, nullptr),
                    "create the table");
    sqlite3_stmt *insert = nullptr;
    ok = ok
         && Check(db,
                  sqlite3_prepare_v2(db, "INSERT INTO \"Велирск\" VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)", -1, &insert,
                                     nullptr),
                  "prepare");
    Random random(20260101);
    Row previous;
    for (long i = 0; ok && i < rows; ++i) {
        // One row in five hundred is entered twice.
        const Row row = (i > 0 && random.Below(500) == 0) ? previous : MakeRow(random);
        for (int field = 0; field < 7; ++field) {
            if (row.null[field])
                sqlite3_bind_null(insert, field + 1);
            else
                sqlite3_bind_text(insert, field + 1, row.values[field].c_str(), int(row.values[field].size()),
                                  SQLITE_STATIC);
        }
        ok = Check(db, sqlite3_step(insert), "insert");
        sqlite3_reset(insert);
        previous = row;
    }
    sqlite3_finalize(insert);
    ok = ok && Check(db, sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), "commit");
    sqlite3_close(db);
    if (!ok) {
        std::remove(path);
        return 1;
    }
    std::printf("%s: %ld rows\n", path, rows);
    return 0;
}
