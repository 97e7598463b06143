#pragma once

#include <string>

namespace psm {

// Where the program itself lives.
class ProgramLocation {
  public:
    virtual ~ProgramLocation() = default;
    virtual std::string ProgramFolder() const = 0;      // without or with a trailing backslash
    virtual std::string ExecutableFileName() const = 0; // such as "psm.exe"
};

} // namespace psm
