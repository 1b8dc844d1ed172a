#pragma once

#include "data/ADOConnection.h"
#include "data/ADOTable.h"
#include "toolkit/db/DataSource.h"
#include "toolkit/grid/DBGrid.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QStringList>
#include <benchmark/benchmark.h>

// The data grid over the directory's table at the main window's size and
// columns, painted into an image of its own; opening is left to the caller.
struct TBenchGrid {
    explicit TBenchGrid(const QString &connectionString)
    {
        static const QStringList fieldNames = {"Телефон", "Фамилия",  "Улица",      "Дом",
                                               "Корпус",  "Квартира", "Организация"};
        static const int widths[] = {50, 140, 100, 28, 40, 52, 243};
        connection.SetConnectionString(connectionString);
        data.SetConnection(&connection);
        data.SetTableName(QStringLiteral("Велирск"));
        source.SetDataSet(&data);
        for (int k = 0; k < fieldNames.size(); ++k)
            grid.Columns().Add(fieldNames[k], widths[k])->SetTitleCaption(fieldNames[k]);
        grid.SetDataSource(&source);
        grid.resize(691, 321);
        image = QImage(grid.size(), QImage::Format_RGB32);
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&grid, &press);
    }

    void Paint() { grid.render(&image); }

    TADOConnection connection;
    TADOTable data;
    TDataSource source;
    TDBGrid grid;
    QImage image;
};

// Page Down through the whole table, a screen painted after each; from the
// last row back to the first untimed.
inline void PageDownThroughTable(benchmark::State &state, TBenchGrid &g)
{
    g.Key(Qt::Key_Home, Qt::ControlModifier);
    for (auto _ : state) {
        if (g.data.RecNo() == g.data.RecordCount()) {
            state.PauseTiming();
            g.Key(Qt::Key_Home, Qt::ControlModifier);
            state.ResumeTiming();
        }
        g.Key(Qt::Key_PageDown);
        g.Paint();
    }
}

// Ctrl+End from the first row, painted; the way back untimed.
inline void JumpFromFirstToLast(benchmark::State &state, TBenchGrid &g)
{
    for (auto _ : state) {
        state.PauseTiming();
        g.Key(Qt::Key_Home, Qt::ControlModifier);
        g.Paint();
        state.ResumeTiming();
        g.Key(Qt::Key_End, Qt::ControlModifier);
        g.Paint();
    }
}
