// The scenario statement that makes the program busy: it refuses its
// clients' calls for a time, from the start or from a chosen call on.

#include "simcad/ScenarioStatements.h"
#include "simcad/ScenarioWords.h"

#include <chrono>

namespace psm::simcad::scenario {

void Busy(Reader& reader, std::string_view rest) {
    const auto from = rest.find(" from ");
    const auto words = Words(rest.substr(0, from));
    const auto duration = words.empty() ? std::nullopt : Code(words[0]);
    std::optional<int32_t> code = sim::hresult::CallRejected;
    if (words.size() == 2) {
        code = words[1] == "rejected"     ? std::optional(sim::hresult::CallRejected)
               : words[1] == "retrylater" ? std::optional(sim::hresult::RetryLater)
                                          : std::nullopt;
    }
    if (!duration || *duration < 0 || !code || words.size() > 2) {
        reader.Problem("busy needs: MILLISECONDS [rejected|retrylater] [from CALL [NTH]]");
        return;
    }
    const std::chrono::milliseconds time(*duration);
    if (from == std::string_view::npos) {
        reader.Built().Sim.BeBusy(time, *code);
        return;
    }
    auto call = Words(rest.substr(from + 6));
    std::optional<int32_t> nth = 1;
    if (call.size() == 3 || (call.size() == 2 && !sim::CallMatch::Parse(Joined(call)))) {
        nth = Code(call.back());
        call.pop_back();
    }
    const auto match = sim::CallMatch::Parse(Joined(call));
    if (!match || !nth || *nth < 1) {
        reader.Problem(
            "busy ... from needs a call, MEMBER or get|put|call MEMBER, and may count it");
        return;
    }
    reader.Built().Sim.BeBusyFrom(*match, *nth, time, *code);
}

} // namespace psm::simcad::scenario
