// The one kind of failure of a build: a message for a person, and the manifest line it is
// about. Thrown because a build stops at the first problem and nothing of it is kept.
#pragma once

#include <stdexcept>
#include <string>

class BuildError : public std::runtime_error {
public:
    // `line` is the 1-based manifest line, or 0 when the problem is not on one line.
    BuildError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}
    explicit BuildError(const std::string& message) : BuildError(0, message) {}

    int line() const { return line_; }

private:
    int line_;
};
