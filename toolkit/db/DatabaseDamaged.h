#pragma once

#include "toolkit/db/DatabaseError.h"

// A database error that says the data itself is damaged: reading it failed
// on what the file holds, not on a lock or on the disk. Nothing more may be
// written to such a database, lest the damage spread.
class EDatabaseDamaged : public EDatabaseError
{
public:
    using EDatabaseError::EDatabaseError;
};
