// Scenario statements that open documents and set their variables.

#include "simcad/ScenarioStatements.h"
#include "simcad/ScenarioWords.h"

#include <array>

namespace psm::simcad::scenario {

using sim::Document;

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

void Open(Reader& reader, int32_t type, std::string_view name) {
    if (!reader.NeedName(name)) {
        return;
    }
    World& world = reader.Built();
    if (world.Sim.Find(name) != nullptr) {
        reader.Problem(sim::Concat({"a document \"", name, "\" is open already"}));
        return;
    }
    Document& document = type == sim::code::SheetMetalDocument
                             ? world.Sim.OpenSheetMetal(std::string(name))
                             : world.Sim.OpenDocument(std::string(name), type);
    world.Add(std::static_pointer_cast<Document>(document.shared_from_this()));
    reader.MakeCurrent(&document);
}

void OpenWithCode(Reader& reader, std::string_view rest) {
    const auto [codeText, name] = FirstWord(rest);
    const auto type = Code(codeText);
    if (!type) {
        reader.Problem(sim::Concat({"\"", codeText, "\" is not a document type code"}));
        return;
    }
    Open(reader, *type, name);
}

void Linked(Reader& reader, std::string_view rest) {
    const auto [kind, name] = FirstWord(rest);
    const auto type = DocumentType(kind);
    if (!type) {
        reader.Problem(sim::Concat({"\"", kind, "\" is not a document kind"}));
        return;
    }
    if (!reader.NeedName(name)) {
        return;
    }
    World& world = reader.Built();
    auto document = *type == sim::code::SheetMetalDocument
                        ? world.Sim.CreateSheetMetal(std::string(name))
                        : world.Sim.CreateDocument(std::string(name), *type);
    reader.MakeCurrent(document.get());
    world.Add(std::move(document));
}

void Values(Reader& reader, std::string_view rest) {
    Document* document = reader.Current();
    const auto words = Words(rest);
    if (document == nullptr) {
        return;
    }
    if (words.size() != 5) {
        reader.Problem("values needs five numbers: thickness, bend radius, neutral factor, relief "
                       "length, relief width");
        return;
    }
    std::array<double, 5> numbers{};
    for (std::size_t k = 0; k < 5; ++k) {
        const auto number = Number(words[k]);
        if (!number) {
            reader.Problem(sim::Concat({"\"", words[k], "\" is not a number"}));
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

void SetVariable(Reader& reader, std::string_view rest) {
    Document* document = reader.Current();
    const auto words = Words(rest);
    if (document == nullptr) {
        return;
    }
    const auto number = words.size() == 2 ? Number(words[1]) : std::nullopt;
    if (!number) {
        reader.Problem("variable needs a name and a number");
        return;
    }
    document->SetValue(words[0], *number);
}

void Marker(Reader& reader, std::string_view rest) {
    Document* document = reader.Current();
    const auto words = Words(rest);
    if (document == nullptr) {
        return;
    }
    if (words.size() != 2) {
        reader.Problem("marker needs the marker's name and the name of the variable it names");
        return;
    }
    if (sim::Variable* marker = document->FindVariable(words[0])) {
        marker->SetFormula(std::string(words[1]));
    } else {
        document->AddVariable(std::string(words[0]), 0.0, std::string(words[1]));
    }
}

void Remove(Reader& reader, std::string_view name) {
    const auto [word, component] = FirstWord(name);
    if (word == "component") {
        RemoveComponent(reader, component);
        return;
    }
    Document* document = reader.Current();
    if (document == nullptr || !reader.NeedName(name)) {
        return;
    }
    if (document->FindVariable(name) == nullptr) {
        reader.Problem(sim::Concat({"no variable \"", name, "\" to remove"}));
        return;
    }
    document->RemoveVariable(name);
}

void With(Reader& reader, std::string_view name) {
    if (!reader.NeedName(name)) {
        return;
    }
    Document* document = reader.Built().Find(name);
    if (document == nullptr) {
        reader.Problem(sim::Concat({"unknown document \"", name, "\""}));
        return;
    }
    reader.MakeCurrent(document);
}

void Active(Reader& reader, std::string_view name) {
    if (!reader.NeedName(name)) {
        return;
    }
    World& world = reader.Built();
    if (world.Sim.Find(name) == nullptr) {
        reader.Problem(sim::Concat({"no open document \"", name, "\""}));
        return;
    }
    world.Sim.Activate(name);
}

} // namespace psm::simcad::scenario
