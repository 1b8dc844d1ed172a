#pragma once

#include "toolkit/db/Field.h"

#include <QByteArray>

// A value exactly as the file stores it: its storage class and its bytes.
// Rows are checked against these before they are changed, so that a row
// whose text is not UTF-8 (or that holds numbers or blobs) still compares
// equal to itself.
struct TStoredValue {
    enum TStorageClass { Null, Integer, Real, Text, Blob };

    TStorageClass storageClass = Null;
    QByteArray bytes; // text and blobs; the decimal text of numbers
    qint64 integer = 0;
    double real = 0;

    // What the program shows and edits: NULL stays NULL, text bytes that are
    // not UTF-8 read as Windows-1251, numbers as their decimal text.
    TFieldValue Shown() const;
};
