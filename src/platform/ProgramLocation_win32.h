#pragma once

#include "platform/ProgramLocation.h"

namespace psm {

// The folder and file name of the running executable.
class ExecutableLocation final : public ProgramLocation {
  public:
    ExecutableLocation();
    std::string ProgramFolder() const override { return m_folder; }
    std::string ExecutableFileName() const override { return m_fileName; }

  private:
    std::string m_folder; // without a trailing backslash, except at a drive root
    std::string m_fileName;
};

} // namespace psm
