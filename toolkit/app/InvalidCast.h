#pragma once

#include <exception>

// The toolkit's refusal of an object of the wrong kind where a particular
// class is required (an owner that must be a form, for instance).
class EInvalidCast : public std::exception
{
public:
    const char *what() const noexcept override { return "Invalid class typecast"; }
};
