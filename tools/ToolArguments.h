#pragma once

// What every tool does with its arguments before its work: "--help" or "-h"
// prints the usage on standard output and ends with 0; an option it does not
// know, or a count of plain arguments outside [least, most], prints a message
// and the usage on standard error and ends with 2. Nothing is written then.

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <optional>

// The exit code when the tool is to end now, nothing when it is to go on.
// `options` are the options the tool knows, each taken alone.
inline std::optional<int> CheckToolArguments(int argc, char *argv[], const char *usage, int least, int most,
                                             std::initializer_list<const char *> options = {})
{
    int plain = 0;
    for (int i = 1; i < argc; ++i) {
        const char *argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            std::printf("usage: %s\n", usage);
            return 0;
        }
        bool known = false;
        for (const char *option : options)
            known = known || std::strcmp(argument, option) == 0;
        if (known)
            continue;
        if (argument[0] == '-' && argument[1] != '\0') {
            std::fprintf(stderr, "%s: unknown option\nusage: %s\n", argument, usage);
            return 2;
        }
        ++plain;
    }
    if (plain < least || plain > most) {
        std::fprintf(stderr, "usage: %s\n", usage);
        return 2;
    }
    return std::nullopt;
}
