#pragma once

// Attaches to a running automation server through the running object table.

#include "cad/Automation.h"

#include <ole2.h>
#include <string>
#include <unordered_map>

namespace psm::cad {

// The class identifier registered for a ProgID (InvalidClassString when none).
Result<CLSID> ClassIdOfProgId(std::string_view progId);

// Needs a COM apartment on the calling thread (ComApartment); the objects it
// hands out belong to that thread. Never starts a server.
class ComAutomation final : public Automation {
  public:
    Result<ObjectRef> GetActiveObject(std::string_view progId) override;
    // The entry RegisterActiveObject made for the ProgID's class, looked up
    // in the running object table without binding to it.
    Result<Registration> RegistrationOf(std::string_view progId) override;

  private:
    Result<CLSID> ClassIdOf(std::string_view progId);

    // The watch attaches ten times a second; the ProgID's class is looked up
    // in the registry once it is known. A ProgID not yet registered is asked
    // again next time (the CAD program may be installed meanwhile).
    std::unordered_map<std::string, CLSID> m_classIds;
};

} // namespace psm::cad
