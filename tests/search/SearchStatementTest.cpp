#include "forms/SearchStatement.h"

#include <gtest/gtest.h>

namespace {

const QString kFirstLineTemplate = QStringLiteral(
    "SELECT Велирск.Телефон, Велирск.Фамилия, Велирск.Улица, Велирск.Дом, Велирск.Корпус, Велирск.Квартира, "
    "Велирск.Организация FROM Велирск WHERE (((Велирск.Телефон) LIKE \"%1\") AND ((Велирск.Фамилия) LIKE \"%2\") "
    "AND ((Велирск.Улица) LIKE \"%3\") AND ((Велирск.Дом) LIKE \"%4\") AND ((Велирск.Корпус) LIKE \"%5\") AND "
    "((Велирск.Квартира) LIKE \"%6\")");
const QString kSecondLineTemplate =
    QStringLiteral(" AND ((Велирск.Организация) LIKE \"%1\")) ORDER BY Велирск.Квартира;");

QStringList Expected(const QStringList &patterns)
{
    return {kFirstLineTemplate.arg(patterns[0], patterns[1], patterns[2], patterns[3], patterns[4], patterns[5]),
            kSecondLineTemplate.arg(patterns[6])};
}

} // namespace

TEST(SearchStatement, emptyCriteriaMatchEveryPresentValue)
{
    const QStringList all(7, QStringLiteral("%"));
    EXPECT_EQ(SearchStatement::Lines(QStringList(7, QString())), Expected(all));
    EXPECT_EQ(SearchStatement::Lines({}), Expected(all));
}

TEST(SearchStatement, criteriaAreTakenAsTypedInTableOrder)
{
    const QStringList criteria = {"55-", " Иван", "Ленина ", "", "2", "1_", "%школа"};
    const QStringList patterns = {"55-%", " Иван%", "Ленина %", "%", "2%", "1_%", "%школа%"};
    EXPECT_EQ(SearchStatement::Lines(criteria), Expected(patterns));
}

TEST(SearchStatement, doubleQuotesCannotEndTheLiteral)
{
    const QStringList lines = SearchStatement::Lines({"\"", "a\"\"b", "\") OR 1=1; --", "", "", "", ""});
    EXPECT_EQ(lines, Expected({"\"\"%", "a\"\"\"\"b%", "\"\") OR 1=1; --%", "%", "%", "%", "%"}));
}

TEST(SearchStatement, placeholderLikeTextIsNotSubstitutedAgain)
{
    const QStringList lines = SearchStatement::Lines({"%2", "%1", "", "", "", "", "%7"});
    EXPECT_EQ(lines, Expected({"%2%", "%1%", "%", "%", "%", "%", "%7%"}));
}
