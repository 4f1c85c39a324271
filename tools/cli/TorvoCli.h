#pragma once
// torvo-cli: the program's database work from a shell.

#include <ostream>
#include <string>
#include <vector>

class TorvoCli {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kFailure = 1;
    static constexpr int kUsageError = 2;

    TorvoCli(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

    // args excludes the program name; returns the exit status.
    int Run(const std::vector<std::string>& args);

private:
    int New(const std::vector<std::string>& args);
    int Check(const std::vector<std::string>& args);
    int UsageError(const std::string& message, const std::string& helpText);

    std::ostream& m_out;
    std::ostream& m_err;
};
