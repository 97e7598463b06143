#include "simcad/Scenario.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <functional>
#include <optional>
#include <utility>

namespace psm::simcad {
namespace {

using sim::Document;

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A "#" at the start of a line or after a blank starts a comment; one inside
// a word (a document named "Teil#2.psm") does not.
std::string_view WithoutComment(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
            return line.substr(0, i);
        }
    }
    return line;
}

// Splits off the first word; the rest is trimmed.
std::pair<std::string_view, std::string_view> FirstWord(std::string_view text) {
    text = Trim(text);
    const auto end = text.find_first_of(" \t");
    if (end == std::string_view::npos) {
        return {text, {}};
    }
    return {text.substr(0, end), Trim(text.substr(end))};
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    for (auto [word, rest] = FirstWord(text); !word.empty();
         std::tie(word, rest) = FirstWord(rest)) {
        words.push_back(word);
    }
    return words;
}

std::optional<double> Number(std::string_view text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// A whole number, decimal or 0x hexadecimal (taken as 32 bits, so that the
// program's large codes can be written as they are documented).
std::optional<int32_t> Code(std::string_view text) {
    int base = 10;
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

std::optional<int32_t> DocumentType(std::string_view kind) {
    if (kind == "sheetmetal") {
        return sim::code::SheetMetalDocument;
    }
    if (kind == "assembly") {
        return sim::code::AssemblyDocument;
    }
    if (kind == "part") {
        return sim::code::PartDocument;
    }
    if (kind == "draft") {
        return sim::code::DraftDocument;
    }
    return std::nullopt;
}

std::optional<int32_t> FeatureType(std::string_view kind) {
    if (kind == "flange") {
        return sim::code::FlangeFeature;
    }
    if (kind == "cutout") {
        return sim::code::CutoutFeature;
    }
    if (kind == "copiedpart") {
        return sim::code::CopiedPartFeature;
    }
    return Code(kind);
}

std::optional<int32_t> FeatureStatus(std::string_view status) {
    if (status == "ok") {
        return sim::code::StatusOk;
    }
    if (status == "warned") {
        return sim::code::StatusWarned;
    }
    if (status == "failed") {
        return sim::code::StatusFailed;
    }
    return std::nullopt;
}

std::optional<std::function<bool(double, double)>> Comparison(std::string_view op) {
    if (op == "<") {
        return [](double a, double b) { return a < b; };
    }
    if (op == "<=") {
        return [](double a, double b) { return a <= b; };
    }
    if (op == ">") {
        return [](double a, double b) { return a > b; };
    }
    if (op == ">=") {
        return [](double a, double b) { return a >= b; };
    }
    if (op == "=" || op == "==") {
        return [](double a, double b) { return a == b; };
    }
    if (op == "!=") {
        return [](double a, double b) { return a != b; };
    }
    return std::nullopt;
}

// The five values by the names of their markers without the underscore.
constexpr std::array<std::string_view, 5> ValueNames = {
    "MaterialThickness", "BendRadius", "NeutralFactor", "ReliefLength", "ReliefWidth"};

class Reader {
  public:
    explicit Reader(World& world) : m_world(world) {}

    void Line(int number, std::string_view line) {
        m_line = number;
        const auto [keyword, rest] = FirstWord(WithoutComment(line));
        if (keyword.empty()) {
            return;
        }
        if (const auto type = DocumentType(keyword)) {
            Open(*type, rest);
        } else if (keyword == "document") {
            OpenWithCode(rest);
        } else if (keyword == "linked") {
            Linked(rest);
        } else if (keyword == "values") {
            Values(rest);
        } else if (keyword == "variable") {
            SetVariable(rest);
        } else if (keyword == "marker") {
            Marker(rest);
        } else if (keyword == "remove") {
            Remove(rest);
        } else if (keyword == "feature") {
            AddFeature(rest);
        } else if (keyword == "status") {
            Status(rest);
        } else if (keyword == "rule") {
            Rule(rest);
        } else if (keyword == "component") {
            AddComponent(rest);
        } else if (keyword == "partlink") {
            PartLink(rest);
        } else if (keyword == "active") {
            Active(rest);
        } else if (keyword == "bar") {
            Bar(rest);
        } else if (keyword == "button") {
            Button(rest);
        } else if (keyword == "busy") {
            Busy(rest);
        } else {
            Problem(sim::Concat({"unknown keyword \"", keyword, "\""}));
        }
    }

    std::vector<std::string> TakeProblems() { return std::move(m_problems); }

  private:
    void Problem(std::string_view text) {
        m_problems.push_back(sim::Concat({"line ", std::to_string(m_line), ": ", text}));
    }

    bool NeedName(std::string_view name) {
        if (name.empty()) {
            Problem("a name is missing");
            return false;
        }
        return true;
    }

    Document* Current() {
        if (m_current == nullptr) {
            Problem("no document yet: declare one first");
        }
        return m_current;
    }

    void Open(int32_t type, std::string_view name) {
        if (!NeedName(name)) {
            return;
        }
        if (m_world.Sim.Find(name) != nullptr) {
            Problem(sim::Concat({"a document \"", name, "\" is open already"}));
            return;
        }
        Document& document = type == sim::code::SheetMetalDocument
                                 ? m_world.Sim.OpenSheetMetal(std::string(name))
                                 : m_world.Sim.OpenDocument(std::string(name), type);
        m_world.Add(std::static_pointer_cast<Document>(document.shared_from_this()));
        m_current = &document;
    }

    void OpenWithCode(std::string_view rest) {
        const auto [codeText, name] = FirstWord(rest);
        const auto type = Code(codeText);
        if (!type) {
            Problem(sim::Concat({"\"", codeText, "\" is not a document type code"}));
            return;
        }
        Open(*type, name);
    }

    void Linked(std::string_view rest) {
        const auto [kind, name] = FirstWord(rest);
        const auto type = DocumentType(kind);
        if (!type) {
            Problem(sim::Concat({"\"", kind, "\" is not a document kind"}));
            return;
        }
        if (!NeedName(name)) {
            return;
        }
        auto document = *type == sim::code::SheetMetalDocument
                            ? m_world.Sim.CreateSheetMetal(std::string(name))
                            : m_world.Sim.CreateDocument(std::string(name), *type);
        m_current = document.get();
        m_world.Add(std::move(document));
    }

    void Values(std::string_view rest) {
        Document* document = Current();
        const auto words = Words(rest);
        if (document == nullptr) {
            return;
        }
        if (words.size() != 5) {
            Problem("values needs five numbers: thickness, bend radius, neutral factor, relief "
                    "length, relief width");
            return;
        }
        std::array<double, 5> numbers{};
        for (std::size_t k = 0; k < 5; ++k) {
            const auto number = Number(words[k]);
            if (!number) {
                Problem(sim::Concat({"\"", words[k], "\" is not a number"}));
                return;
            }
            numbers[k] = *number;
        }
        for (std::size_t k = 0; k < 5; ++k) {
            const sim::Variable* marker = document->FindVariable(sim::variable::Markers[k]);
            const std::string target =
                marker != nullptr ? marker->Formula() : std::string(sim::variable::Values[k]);
            if (marker == nullptr) {
                document->AddVariable(std::string(sim::variable::Markers[k]), 0.0, target);
            }
            document->SetValue(target, numbers[k]);
        }
    }

    void SetVariable(std::string_view rest) {
        Document* document = Current();
        const auto words = Words(rest);
        if (document == nullptr) {
            return;
        }
        const auto number = words.size() == 2 ? Number(words[1]) : std::nullopt;
        if (!number) {
            Problem("variable needs a name and a number");
            return;
        }
        document->SetValue(words[0], *number);
    }

    void Marker(std::string_view rest) {
        Document* document = Current();
        const auto words = Words(rest);
        if (document == nullptr) {
            return;
        }
        if (words.size() != 2) {
            Problem("marker needs the marker's name and the name of the variable it names");
            return;
        }
        if (sim::Variable* marker = document->FindVariable(words[0])) {
            marker->SetFormula(std::string(words[1]));
        } else {
            document->AddVariable(std::string(words[0]), 0.0, std::string(words[1]));
        }
    }

    void Remove(std::string_view name) {
        Document* document = Current();
        if (document == nullptr || !NeedName(name)) {
            return;
        }
        if (document->FindVariable(name) == nullptr) {
            Problem(sim::Concat({"no variable \"", name, "\" to remove"}));
            return;
        }
        document->RemoveVariable(name);
    }

    void AddFeature(std::string_view rest) {
        Document* document = Current();
        const auto [kind, name] = FirstWord(rest);
        if (document == nullptr) {
            return;
        }
        const auto type = FeatureType(kind);
        if (!type) {
            Problem(sim::Concat(
                {"\"", kind, "\" is not a feature kind (flange, cutout, copiedpart or a code)"}));
            return;
        }
        if (NeedName(name)) {
            document->AddFeature(std::string(name), *type);
        }
    }

    sim::Feature* FindFeature(Document& document, std::string_view name) {
        sim::Feature* feature = document.FindFeature(name);
        if (feature == nullptr) {
            Problem(sim::Concat({"unknown feature \"", name, "\""}));
        }
        return feature;
    }

    void Status(std::string_view rest) {
        Document* document = Current();
        if (document == nullptr) {
            return;
        }
        const auto split = rest.find_last_of(" \t");
        const auto status =
            split == std::string_view::npos ? std::nullopt : FeatureStatus(rest.substr(split + 1));
        if (!status) {
            Problem("status needs a feature's name and ok, warned or failed");
            return;
        }
        if (sim::Feature* feature = FindFeature(*document, Trim(rest.substr(0, split)))) {
            feature->SetBaseStatus(*status);
        }
    }

    // A value name stands for the variable its marker names.
    std::optional<std::string> RuleVariable(Document& document, std::string_view name) {
        for (std::size_t k = 0; k < ValueNames.size(); ++k) {
            if (name != ValueNames[k]) {
                continue;
            }
            const sim::Variable* marker = document.FindVariable(sim::variable::Markers[k]);
            if (marker == nullptr) {
                Problem(sim::Concat({"the document has no marker ", sim::variable::Markers[k]}));
                return std::nullopt;
            }
            return marker->Formula();
        }
        return std::string(name);
    }

    void Rule(std::string_view rest) {
        Document* document = Current();
        if (document == nullptr) {
            return;
        }
        bool fails = true;
        auto at = rest.find(" fails when ");
        if (at == std::string_view::npos) {
            fails = false;
            at = rest.find(" warns when ");
        }
        if (at == std::string_view::npos) {
            Problem("rule needs: FEATURE fails|warns when VARIABLE OPERATOR NUMBER");
            return;
        }
        const auto condition = Words(rest.substr(at + 12));
        const auto compare = condition.size() == 3 ? Comparison(condition[1]) : std::nullopt;
        const auto limit = condition.size() == 3 ? Number(condition[2]) : std::nullopt;
        if (!compare || !limit) {
            Problem("the condition must read VARIABLE OPERATOR NUMBER, the operator one of < <= > "
                    ">= = !=");
            return;
        }
        sim::Feature* feature = FindFeature(*document, Trim(rest.substr(0, at)));
        const auto variable = feature ? RuleVariable(*document, condition[0]) : std::nullopt;
        if (!variable) {
            return;
        }
        auto holds = [compare = *compare, limit = *limit](double value) {
            return compare(value, limit);
        };
        if (fails) {
            feature->FailWhen(*variable, holds);
        } else {
            feature->WarnWhen(*variable, holds);
        }
    }

    Document* Assembly() {
        Document* document = Current();
        if (document != nullptr && document->Type() != sim::code::AssemblyDocument) {
            Problem("components and part links belong to an assembly");
            return nullptr;
        }
        return document;
    }

    // "NAME -> DOCUMENT": the name, and the document when an arrow is given.
    std::optional<std::pair<std::string, std::shared_ptr<Document>>> Target(std::string_view rest,
                                                                            bool needDocument) {
        const auto arrow = rest.find("->");
        const std::string_view name = Trim(rest.substr(0, arrow));
        if (!NeedName(name)) {
            return std::nullopt;
        }
        if (arrow == std::string_view::npos) {
            if (needDocument) {
                Problem("the linked document is missing: NAME -> DOCUMENT");
                return std::nullopt;
            }
            return std::pair{std::string(name), std::shared_ptr<Document>()};
        }
        const std::string_view linked = Trim(rest.substr(arrow + 2));
        Document* document = m_world.Find(linked);
        if (document == nullptr) {
            Problem(sim::Concat({"unknown document \"", linked, "\": declare it first"}));
            return std::nullopt;
        }
        return std::pair{std::string(name),
                         std::static_pointer_cast<Document>(document->shared_from_this())};
    }

    void AddComponent(std::string_view rest) {
        Document* assembly = Assembly();
        const auto [kind, target] = FirstWord(rest);
        if (assembly == nullptr) {
            return;
        }
        if (kind == "direct" || kind == "blocked") {
            if (auto found = Target(target, false)) {
                assembly->AddDirectComponent(std::move(found->first), std::move(found->second),
                                             kind == "blocked");
            }
        } else if (kind == "named" || kind == "other") {
            if (NeedName(target)) {
                assembly->AddComponent(std::string(target), kind == "named"
                                                                ? sim::code::NamedComponent
                                                                : sim::code::OtherComponent);
            }
        } else {
            Problem(sim::Concat(
                {"\"", kind, "\" is not a component kind (direct, blocked, named, other)"}));
        }
    }

    void PartLink(std::string_view rest) {
        Document* assembly = Assembly();
        if (assembly == nullptr) {
            return;
        }
        if (auto found = Target(rest, true)) {
            assembly->AddPartLink(std::move(found->first), std::move(found->second));
        }
    }

    void Active(std::string_view name) {
        if (!NeedName(name)) {
            return;
        }
        if (m_world.Sim.Find(name) == nullptr) {
            Problem(sim::Concat({"no open document \"", name, "\""}));
            return;
        }
        m_world.Sim.Activate(name);
    }

    sim::Environment* Environment(std::string_view name) {
        sim::Environment* environment = m_world.Sim.Environments()->Find(name);
        if (environment == nullptr) {
            Problem(sim::Concat(
                {"unknown environment \"", name, "\" (Part, SheetMetal, Assembly, Draft)"}));
        }
        return environment;
    }

    void Bar(std::string_view rest) {
        const auto [environmentName, name] = FirstWord(rest);
        sim::Environment* environment = Environment(environmentName);
        if (environment == nullptr || !NeedName(name)) {
            return;
        }
        if (environment->FindBar(name) == nullptr) {
            environment->AddBar(std::string(name));
        }
    }

    void Button(std::string_view rest) {
        const auto [environmentName, afterEnvironment] = FirstWord(rest);
        const auto [barName, runPath] = FirstWord(afterEnvironment);
        sim::Environment* environment = Environment(environmentName);
        if (environment == nullptr) {
            return;
        }
        if (barName.empty() || runPath.empty()) {
            Problem("button needs an environment, a bar and the button's run path");
            return;
        }
        sim::CommandBar* bar = environment->FindBar(barName);
        if (bar == nullptr) {
            bar = &environment->AddBar(std::string(barName));
        }
        bar->AddButton(std::string(runPath));
    }

    // busy MILLISECONDS [rejected|retrylater] [from [get|put|call] MEMBER [NTH]]
    void Busy(std::string_view rest) {
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
            Problem("busy needs: MILLISECONDS [rejected|retrylater] [from CALL [NTH]]");
            return;
        }
        const std::chrono::milliseconds time(*duration);
        if (from == std::string_view::npos) {
            m_world.Sim.BeBusy(time, *code);
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
            Problem("busy ... from needs a call, MEMBER or get|put|call MEMBER, and may count it");
            return;
        }
        m_world.Sim.BeBusyFrom(*match, *nth, time, *code);
    }

    static std::string Joined(const std::vector<std::string_view>& words) {
        std::string text;
        for (std::string_view word : words) {
            text += text.empty() ? "" : " ";
            text += word;
        }
        return text;
    }

    World& m_world;
    Document* m_current = nullptr;
    int m_line = 0;
    std::vector<std::string> m_problems;
};

} // namespace

std::vector<std::string> LoadScenario(World& world, std::string_view text) {
    Reader reader(world);
    int number = 0;
    while (!text.empty()) {
        ++number;
        const auto end = text.find('\n');
        reader.Line(number, text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return reader.TakeProblems();
}

} // namespace psm::simcad
