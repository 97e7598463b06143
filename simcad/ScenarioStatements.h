#pragma once

// The statements of a scenario file, one function each, given the line after
// its keyword. simcad/README.md describes what each one builds.

#include "simcad/ScenarioReader.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace psm::simcad::scenario {

// --- Documents and their variables (ScenarioDocuments.cpp) ---

// The type code of a document kind: sheetmetal, assembly, part, draft.
std::optional<int32_t> DocumentType(std::string_view kind);
// KIND NAME
void Open(Reader& reader, int32_t type, std::string_view name);
// document CODE NAME
void OpenWithCode(Reader& reader, std::string_view rest);
// linked KIND NAME
void Linked(Reader& reader, std::string_view rest);
// values T R K L W
void Values(Reader& reader, std::string_view rest);
// variable NAME NUMBER
void SetVariable(Reader& reader, std::string_view rest);
// marker MARKER VARIABLE
void Marker(Reader& reader, std::string_view rest);
// remove NAME, remove component NAME
void Remove(Reader& reader, std::string_view name);
// with NAME: the statements after it belong to a document declared before
void With(Reader& reader, std::string_view name);
// active NAME
void Active(Reader& reader, std::string_view name);

// --- Features, their states and rules (ScenarioFeatures.cpp) ---

// feature KIND NAME
void AddFeature(Reader& reader, std::string_view rest);
// status FEATURE ok|warned|failed
void Status(Reader& reader, std::string_view rest);
// rule FEATURE fails|warns when VARIABLE OPERATOR NUMBER
void Rule(Reader& reader, std::string_view rest);

// --- Assemblies (ScenarioAssemblies.cpp) ---

// component direct|blocked NAME -> DOCUMENT, component named|other NAME
void AddComponent(Reader& reader, std::string_view rest);
// components COUNT direct|blocked NAME -> DOCUMENT: NAME:1 to NAME:COUNT
void AddComponents(Reader& reader, std::string_view rest);
// partlink NAME -> DOCUMENT
void PartLink(Reader& reader, std::string_view rest);
// (remove component) NAME
void RemoveComponent(Reader& reader, std::string_view name);

// --- Command bars (ScenarioBars.cpp) ---

// bar ENVIRONMENT NAME
void Bar(Reader& reader, std::string_view rest);
// button ENVIRONMENT BAR RUNPATH
void Button(Reader& reader, std::string_view rest);

// --- Busy spells (ScenarioBusy.cpp) ---

// busy MILLISECONDS [rejected|retrylater] [from [get|put|call] MEMBER [NTH]]
void Busy(Reader& reader, std::string_view rest);

} // namespace psm::simcad::scenario
