// Every failure plughost reports ends as one line on stderr and a non-zero
// exit. Code deep in a command throws HostError with that line; main prints
// it. Exceptions never cross into plug-in code: the host callback catches
// everything.
#pragma once

#include <stdexcept>
#include <string>

class HostError : public std::runtime_error {
public:
    explicit HostError(const std::string& message) : std::runtime_error(message) {}
};

// A command line that cannot be understood: exit status 2 instead of 1.
class UsageError : public HostError {
public:
    explicit UsageError(const std::string& message) : HostError(message) {}
};
