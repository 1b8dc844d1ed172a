#pragma once

#include "data/ADOConnection.h"
#include "data/ADOQuery.h"
#include "data/ADOTable.h"
#include "toolkit/db/DataSource.h"

#include <QObject>
#include <QStringList>

// The data objects of the main window: the connection to velirsk.dat, the
// directory table that the main grid browses and edits, and the search query
// whose rows the results window shows, each with its data source. Objects
// carry their layout names (objectName) and are children of this object.
class TDirectoryData : public QObject
{
    Q_OBJECT

public:
    // Names a PostgreSQL server's database (a libpq connection string or
    // URI) to open instead of the file velirsk.dat.
    static constexpr const char *kServerVariable = "VELIRSK_DATABASE";

    // The directory table and its seven fields, in order.
    static QString TableName();
    static QStringList FieldNames();

    explicit TDirectoryData(QObject *parent = nullptr);
    // Closes the query and the table before the connection; a row still
    // being edited is posted when the file takes it.
    ~TDirectoryData() override;

    // Connects and opens the directory table; the query stays closed.
    // Raises EDatabaseError when the file cannot be opened, lacks the table
    // or one of its fields, or holds several that the name stands for alike.
    void Open();

    TADOConnection *ADOConnection1;
    TADOTable *ADOTable1;
    TDataSource *DataSource1;
    TADOQuery *ADOQuery1;
    TDataSource *FindResult;

private:
    QStringList FieldSpellings(const QString &name) const;
    void Close();
};
