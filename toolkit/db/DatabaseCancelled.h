#pragma once

#include "toolkit/db/DatabaseError.h"

// The person cancelled a long step before it was done; it changed nothing.
class EDatabaseCancelled : public EDatabaseError
{
public:
    using EDatabaseError::EDatabaseError;
};
