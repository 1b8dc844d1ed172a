#pragma once

#include "support/Input.h"
#include "toolkit/db/DataSource.h"
#include "toolkit/db/MemoryDataSet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <functional>

// A data set of `rows` one-field rows ("1", "2", ...) behind a data source.
struct TMemorySource {
    explicit TMemorySource(int rows, bool open = true)
    {
        dataSet.SetFieldNames({QStringLiteral("Name")});
        std::vector<TRecord> records;
        for (int i = 1; i <= rows; ++i)
            records.push_back({QString::number(i)});
        dataSet.SetRows(records);
        source.SetDataSet(&dataSet);
        if (open)
            dataSet.Open();
    }
    TMemoryDataSet dataSet;
    TDataSource source;
};

// Runs the event loop until `done` holds or `timeoutMs` passes; returns done().
inline bool WaitFor(const std::function<bool()> &done, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}
