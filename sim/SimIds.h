#pragma once

// The identifiers the simulated CAD program publishes: interface identifiers,
// dispatch identifiers and the codes it returns. Kept apart from the client's
// own copy on purpose, so that a wrong identifier on either side shows up as a
// failed call instead of agreeing with itself.

#include <cstdint>
#include <string_view>

namespace psm::sim {

inline constexpr std::string_view ProgId = "SolidEdge.Application";

namespace iid {
inline constexpr std::string_view Application = "{DED89DB0-45B6-11CE-B307-0800363A1E02}";
inline constexpr std::string_view Documents = "{290D47B0-F718-11CD-8B57-080036181E02}";
inline constexpr std::string_view AssemblyDocument = "{00C6BF00-483B-11CE-951A-08003601BE52}";
inline constexpr std::string_view ComponentSet = "{F9293970-4812-11CE-9647-0800367E0502}";
inline constexpr std::string_view Component = "{8FF2DD02-19B3-11D1-AEAF-08003616CE02}";
inline constexpr std::string_view Link = "{600251C5-E2F4-11D2-BED3-080036B4D502}";
inline constexpr std::string_view PartLinks = "{7AD88CC9-E2F4-11D2-BED3-080036B4D502}";
inline constexpr std::string_view VariableTable = "{7647EDC6-19D6-11CF-BCFB-0800368A1102}";
inline constexpr std::string_view Variable = "{7647EDC3-19D6-11CF-BCFB-0800368A1102}";
inline constexpr std::string_view Model = "{49852F7F-A403-11CE-818E-0800363A1E02}";
inline constexpr std::string_view FeatureList = "{777E2640-3331-11CF-81E1-080036C20002}";
inline constexpr std::string_view EnvironmentList = "{A6713AE0-2BDA-11CE-8E45-08003601BBD5}";
inline constexpr std::string_view Environment = "{024091D0-2BDB-11CE-8E45-08003601BBD5}";
inline constexpr std::string_view BarList = "{1D3DA501-9BFF-11D1-BA96-080036230602}";
inline constexpr std::string_view CommandBar = "{1D3DA502-9BFF-11D1-BA96-080036230602}";
inline constexpr std::string_view BarControls = "{1D3DA503-9BFF-11D1-BA96-080036230602}";
inline constexpr std::string_view Control = "{59DE959F-9CA6-11D1-BA97-080036230602}";
} // namespace iid

// Dispatch identifiers. The members the client calls by name have identifiers
// of this program's choosing, the same for a name on every class, so that a
// COM server can answer GetIDsOfNames from these tables.
namespace dispid {
inline constexpr int32_t Item = 0;
// application
inline constexpr int32_t CurrentDocument = 2;
inline constexpr int32_t FrontWindow = 8;
inline constexpr int32_t OpenDocuments = 21;
inline constexpr int32_t EnvironmentList = 23;
inline constexpr int32_t HoldRecompute = 73;
// collections
inline constexpr int32_t DocumentCount = 3;
inline constexpr int32_t ComponentCount = 3;
inline constexpr int32_t FeatureCount = 5;
inline constexpr int32_t ControlCount = 2;
// assembly document, component, link
inline constexpr int32_t ComponentSet = 39;
inline constexpr int32_t PartLinks = 0x4006;
inline constexpr int32_t ComponentLink = 4;
inline constexpr int32_t LinkedDocument = 7;
inline constexpr int32_t LinkBlocked = 10;
// variables, models
inline constexpr int32_t VariableValue = 3;
inline constexpr int32_t FeatureList = 30;
// environments, bars, controls
inline constexpr int32_t BarList = 8;
inline constexpr int32_t AddBar = 7;
inline constexpr int32_t BarControls = 3;
inline constexpr int32_t AddControl = 4;
inline constexpr int32_t RunPath = 0x1001000F;
inline constexpr int32_t SetPictureFile = 0x1001001C;
inline constexpr int32_t ButtonDescription = 0x10010006;
inline constexpr int32_t ButtonTitle = 0x10010014;
inline constexpr int32_t ButtonOptionA = 0x10010017;
inline constexpr int32_t ButtonOptionB = 0x10010007;
// members called by name
inline constexpr int32_t Name = 1001;
inline constexpr int32_t Type = 1002;
inline constexpr int32_t Status = 1003;
inline constexpr int32_t Formula = 1004;
inline constexpr int32_t FullName = 1005;
inline constexpr int32_t Variables = 1010;
inline constexpr int32_t Models = 1011;
inline constexpr int32_t SimplifiedModels = 1012;
inline constexpr int32_t Windows = 1013;
inline constexpr int32_t View = 1014;
inline constexpr int32_t Update = 1015;
} // namespace dispid

// Codes the program returns.
namespace code {
inline constexpr int32_t AssemblyDocument = 3;
inline constexpr int32_t SheetMetalDocument = 4;
inline constexpr int32_t PartDocument = 1;
inline constexpr int32_t DraftDocument = 2;
inline constexpr int32_t DirectComponent = static_cast<int32_t>(0xD22C9AD0);
inline constexpr int32_t NamedComponent = static_cast<int32_t>(0x8FF2DD03);
inline constexpr int32_t OtherComponent = static_cast<int32_t>(0x8FF2DD04);
inline constexpr int32_t CopiedPartFeature = static_cast<int32_t>(0x906F3EB4);
inline constexpr int32_t FlangeFeature = static_cast<int32_t>(0x906F3E10);
inline constexpr int32_t CutoutFeature = static_cast<int32_t>(0x906F3E20);
inline constexpr int32_t StatusOk = 0x4881F496;
inline constexpr int32_t StatusFailed = 0x4881F497;
inline constexpr int32_t StatusWarned = 0x4881F498;
} // namespace code

// Failure codes beyond the common ones of the automation layer.
namespace hresult {
inline constexpr int32_t BadIndex = static_cast<int32_t>(0x8002000B);
inline constexpr int32_t Fail = static_cast<int32_t>(0x80004005);
inline constexpr int32_t Disconnected = static_cast<int32_t>(0x80010108);
inline constexpr int32_t CallRejected = static_cast<int32_t>(0x80010001);
inline constexpr int32_t RetryLater = static_cast<int32_t>(0x8001010A);
inline constexpr int32_t ServerUnavailable = static_cast<int32_t>(0x800706BA);
} // namespace hresult

} // namespace psm::sim
