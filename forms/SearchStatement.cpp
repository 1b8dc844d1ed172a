#include "forms/SearchStatement.h"

namespace SearchStatement {

namespace {

const QChar kQuote = QLatin1Char('"');

QString Literal(const QString &criterion)
{
    QString pattern = Pattern(criterion);
    pattern.replace(kQuote, QStringLiteral("\"\""));
    return kQuote + pattern + kQuote;
}

} // namespace

QString Pattern(const QString &criterion)
{
    return criterion + QLatin1Char('%');
}

qsizetype UnsearchableAt(const QString &criterion)
{
    return criterion.indexOf(QChar(u'\0'));
}

QStringList Lines(const QStringList &criteria)
{
    QStringList literals;
    for (int i = 0; i < kCriterionCount; ++i)
        literals << Literal(criteria.value(i));

    const QString first =
        QStringLiteral("SELECT Велирск.Телефон, Велирск.Фамилия, Велирск.Улица, Велирск.Дом, Велирск.Корпус, "
                       "Велирск.Квартира, Велирск.Организация FROM Велирск WHERE (((Велирск.Телефон) LIKE %1) "
                       "AND ((Велирск.Фамилия) LIKE %2) AND ((Велирск.Улица) LIKE %3) AND ((Велирск.Дом) LIKE %4) "
                       "AND ((Велирск.Корпус) LIKE %5) AND ((Велирск.Квартира) LIKE %6)")
            .arg(literals[0], literals[1], literals[2], literals[3], literals[4], literals[5]);
    const QString second =
        QStringLiteral(" AND ((Велирск.Организация) LIKE %1)) ORDER BY Велирск.Квартира;").arg(literals[6]);
    return {first, second};
}

} // namespace SearchStatement
