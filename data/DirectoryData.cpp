#include "data/DirectoryData.h"

#include "data/ConnectionString.h"
#include "data/SchemaNames.h"
#include "toolkit/db/DatabaseError.h"
#include "toolkit/db/DatabaseLocked.h"

QString TDirectoryData::TableName()
{
    return QStringLiteral("Велирск");
}

QStringList TDirectoryData::FieldNames()
{
    return {QStringLiteral("Телефон"), QStringLiteral("Фамилия"),  QStringLiteral("Улица"),      QStringLiteral("Дом"),
            QStringLiteral("Корпус"),  QStringLiteral("Квартира"), QStringLiteral("Организация")};
}

TDirectoryData::TDirectoryData(QObject *parent)
    : QObject(parent)
    , ADOConnection1(new TADOConnection(this))
    , ADOTable1(new TADOTable(this))
    , DataSource1(new TDataSource(this))
    , ADOQuery1(new TADOQuery(this))
    , FindResult(new TDataSource(this))
{
    ADOConnection1->setObjectName(QStringLiteral("ADOConnection1"));
    ADOConnection1->SetConnectionString(DirectoryConnectionString());
    ADOConnection1->SetServer(qEnvironmentVariable(kServerVariable));
    ADOConnection1->SetLoginPrompt(false);

    ADOTable1->setObjectName(QStringLiteral("ADOTable1"));
    ADOTable1->SetConnection(ADOConnection1);
    ADOTable1->SetTableDirect(true);
    ADOTable1->SetTableName(TableName());

    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    DataSource1->SetDataSet(ADOTable1);

    ADOQuery1->setObjectName(QStringLiteral("ADOQuery1"));
    ADOQuery1->SetConnection(ADOConnection1);

    FindResult->setObjectName(QStringLiteral("FindResult"));
    FindResult->SetDataSet(ADOQuery1);
}

TDirectoryData::~TDirectoryData()
{
    delete ADOQuery1;
    delete ADOTable1;
    delete ADOConnection1;
}

// The fields of the open table that `name` stands for, as TSchemaNames
// finds names.
QStringList TDirectoryData::FieldSpellings(const QString &name) const
{
    TSchemaNames fields;
    for (int i = 0; i < ADOTable1->FieldCount(); ++i)
        fields.Add(ADOTable1->Fields(i)->FieldName());
    return fields.Matches(name);
}

void TDirectoryData::Close()
{
    ADOTable1->Close();
    ADOConnection1->Close();
}

void TDirectoryData::Open()
{
    ADOConnection1->Open();
    // Opening is part of the program's start, and a failure ends the
    // program: a lock that another program took meanwhile is answered with
    // starting again, not with trying again.
    try {
        ADOTable1->Open();
    } catch (const EDatabaseLocked &) {
        throw EDatabaseError(tr("Cannot read the directory: the database is locked by another user or program. "
                                "Start the program again in a moment."));
    }
    QStringList missing;
    for (const QString &name : FieldNames()) {
        const QStringList spellings = FieldSpellings(name);
        if (spellings.size() > 1) {
            Close();
            throw EDatabaseError(tr("The table \"%1\" of the database file has several fields whose names differ from "
                                    "\"%2\" in case alone (%3), so it is not clear which one to show.")
                                     .arg(TableName(), name, spellings.join(QStringLiteral(", "))));
        }
        if (spellings.isEmpty())
            missing << name;
    }
    if (!missing.isEmpty()) {
        Close();
        throw EDatabaseError(tr("The table \"%1\" of the database file lacks the fields: %2.")
                                 .arg(TableName(), missing.join(QStringLiteral(", "))));
    }
    try {
        ADOConnection1->Store().AcceptAsDirectory();
    } catch (...) {
        Close();
        throw;
    }
}
