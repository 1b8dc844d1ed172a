#pragma once

#include "toolkit/db/Field.h"

#include <QString>
#include <QStringList>
#include <vector>

// The directory's seven fields, and rows of them as a grid test fills its
// data set with: distinct telephones and surnames, repeating houses and flats.
inline const QStringList kFieldNames = {"Телефон", "Фамилия", "Улица", "Дом", "Корпус", "Квартира", "Организация"};

inline std::vector<TRecord> DirectoryRows(int count)
{
    std::vector<TRecord> rows;
    rows.reserve(count);
    for (int i = 1; i <= count; ++i)
        rows.push_back({QString::number(100000 + i),
                        QString("Фамилия %1").arg(i),
                        "Ленина",
                        QString::number(i % 90),
                        {},
                        QString::number(i % 300),
                        {}});
    return rows;
}
