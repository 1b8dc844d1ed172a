#include "toolkit/app/ContinuingSentence.h"

#include <gtest/gtest.h>

TEST(ContinuingSentence, aWordGoesOnInSmallLettersAndAbbreviationsKeepTheirCapitals)
{
    const struct {
        const char *message;
        const char *continuing;
    } cases[] = {
        {"База данных занята. Повторите чуть позже.", "база данных занята. Повторите чуть позже."},
        {"Database is locked.", "database is locked."},
        {"файл повреждён.", "файл повреждён."},
        {"SQL не выполнен.", "SQL не выполнен."},
        {"«Велирск» не найден.", "«Велирск» не найден."},
        {"Я", "Я"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ContinuingSentence(QString::fromUtf8(c.message)), QString::fromUtf8(c.continuing)) << c.message;
}
