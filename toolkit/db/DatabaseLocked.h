#pragma once

#include "toolkit/db/DatabaseError.h"

// A database error whose cause passes by itself: another user or program
// held a lock on the database for longer than the program waits. The
// message advises trying again; a caller that cannot try again says so in
// its own words.
class EDatabaseLocked : public EDatabaseError
{
public:
    using EDatabaseError::EDatabaseError;
};
