#pragma once

#include <string>

namespace psm {

// A minidump of psm's own process, for a crash report.
class CrashDump {
  public:
    virtual ~CrashDump() = default;
    // Writes the dump to `path`: of the exception the system is ending psm
    // for, if it is, else of the process as it is now. False when it could not.
    virtual bool WriteDump(const std::string& path) = 0;
};

} // namespace psm
