// Scenario statements that give an assembly its components and part links.

#include "simcad/ScenarioStatements.h"
#include "simcad/ScenarioWords.h"

#include <memory>
#include <utility>

namespace psm::simcad::scenario {
namespace {

using sim::Document;

Document* Assembly(Reader& reader) {
    Document* document = reader.Current();
    if (document != nullptr && document->Type() != sim::code::AssemblyDocument) {
        reader.Problem("components and part links belong to an assembly");
        return nullptr;
    }
    return document;
}

// "NAME -> DOCUMENT": the name, and the document when an arrow is given.
std::optional<std::pair<std::string, std::shared_ptr<Document>>>
Target(Reader& reader, std::string_view rest, bool needDocument) {
    const auto arrow = rest.find("->");
    const std::string_view name = Trim(rest.substr(0, arrow));
    if (!reader.NeedName(name)) {
        return std::nullopt;
    }
    if (arrow == std::string_view::npos) {
        if (needDocument) {
            reader.Problem("the linked document is missing: NAME -> DOCUMENT");
            return std::nullopt;
        }
        return std::pair{std::string(name), std::shared_ptr<Document>()};
    }
    const std::string_view linked = Trim(rest.substr(arrow + 2));
    Document* document = reader.Built().Find(linked);
    if (document == nullptr) {
        reader.Problem(sim::Concat({"unknown document \"", linked, "\": declare it first"}));
        return std::nullopt;
    }
    return std::pair{std::string(name),
                     std::static_pointer_cast<Document>(document->shared_from_this())};
}

} // namespace

void AddComponent(Reader& reader, std::string_view rest) {
    Document* assembly = Assembly(reader);
    const auto [kind, target] = FirstWord(rest);
    if (assembly == nullptr) {
        return;
    }
    if (kind == "direct" || kind == "blocked") {
        if (auto found = Target(reader, target, false)) {
            assembly->AddDirectComponent(std::move(found->first), std::move(found->second),
                                         kind == "blocked");
        }
    } else if (kind == "named" || kind == "other") {
        if (reader.NeedName(target)) {
            assembly->AddComponent(std::string(target), kind == "named"
                                                            ? sim::code::NamedComponent
                                                            : sim::code::OtherComponent);
        }
    } else {
        reader.Problem(sim::Concat(
            {"\"", kind, "\" is not a component kind (direct, blocked, named, other)"}));
    }
}

void AddComponents(Reader& reader, std::string_view rest) {
    // Enough for a tree of thousands of parts, and a bound on a typing slip.
    constexpr int32_t Most = 100'000;
    const auto [count, statement] = FirstWord(rest);
    const auto times = Code(count);
    if (!times || *times < 1 || *times > Most) {
        reader.Problem(sim::Concat({"\"", count, "\" is no number of components (1 to 100000)"}));
        return;
    }
    Document* assembly = Assembly(reader);
    const auto [kind, target] = FirstWord(statement);
    if (assembly == nullptr) {
        return;
    }
    if (kind != "direct" && kind != "blocked") {
        reader.Problem(
            sim::Concat({"\"", kind, "\" is not a kind of linked component (direct, blocked)"}));
        return;
    }
    if (auto found = Target(reader, target, true)) {
        for (int32_t n = 1; n <= *times; ++n) {
            assembly->AddDirectComponent(found->first + ":" + std::to_string(n), found->second,
                                         kind == "blocked");
        }
    }
}

void RemoveComponent(Reader& reader, std::string_view name) {
    Document* assembly = Assembly(reader);
    if (assembly == nullptr || !reader.NeedName(name)) {
        return;
    }
    const auto& items = assembly->ComponentSetNode()->Items();
    const std::size_t before = items.size();
    assembly->RemoveComponent(name);
    if (items.size() == before) {
        reader.Problem(sim::Concat({"no component \"", name, "\" to remove"}));
    }
}

void PartLink(Reader& reader, std::string_view rest) {
    Document* assembly = Assembly(reader);
    if (assembly == nullptr) {
        return;
    }
    if (auto found = Target(reader, rest, true)) {
        assembly->AddPartLink(std::move(found->first), std::move(found->second));
    }
}

} // namespace psm::simcad::scenario
