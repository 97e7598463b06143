#pragma once

// The CAD program's identifiers as this program uses them: the ProgID, the
// interface identifiers handles are seen through, dispatch identifiers of the
// members not called by name, and the codes compared.

#include <cstdint>
#include <string_view>

namespace psm::cad::ids {

inline constexpr std::string_view CadProgId = "SolidEdge.Application";

// Interfaces.
inline constexpr std::string_view ApplicationIid = "{DED89DB0-45B6-11CE-B307-0800363A1E02}";
inline constexpr std::string_view DocumentsIid = "{290D47B0-F718-11CD-8B57-080036181E02}";
inline constexpr std::string_view AssemblyDocumentIid = "{00C6BF00-483B-11CE-951A-08003601BE52}";
inline constexpr std::string_view ComponentSetIid = "{F9293970-4812-11CE-9647-0800367E0502}";
inline constexpr std::string_view ComponentIid = "{8FF2DD02-19B3-11D1-AEAF-08003616CE02}";
inline constexpr std::string_view LinkIid = "{600251C5-E2F4-11D2-BED3-080036B4D502}";
inline constexpr std::string_view PartLinksIid = "{7AD88CC9-E2F4-11D2-BED3-080036B4D502}";
inline constexpr std::string_view VariableTableIid = "{7647EDC6-19D6-11CF-BCFB-0800368A1102}";
inline constexpr std::string_view VariableIid = "{7647EDC3-19D6-11CF-BCFB-0800368A1102}";
inline constexpr std::string_view ModelIid = "{49852F7F-A403-11CE-818E-0800363A1E02}";
inline constexpr std::string_view FeatureListIid = "{777E2640-3331-11CF-81E1-080036C20002}";
inline constexpr std::string_view EnvironmentListIid = "{A6713AE0-2BDA-11CE-8E45-08003601BBD5}";
inline constexpr std::string_view EnvironmentIid = "{024091D0-2BDB-11CE-8E45-08003601BBD5}";
inline constexpr std::string_view BarListIid = "{1D3DA501-9BFF-11D1-BA96-080036230602}";
inline constexpr std::string_view CommandBarIid = "{1D3DA502-9BFF-11D1-BA96-080036230602}";
inline constexpr std::string_view BarControlsIid = "{1D3DA503-9BFF-11D1-BA96-080036230602}";
inline constexpr std::string_view ButtonIid = "{59DE959F-9CA6-11D1-BA97-080036230602}";

// Dispatch identifiers.
inline constexpr int32_t ItemId = 0;
inline constexpr int32_t CurrentDocumentId = 2;
inline constexpr int32_t FrontWindowId = 8;
inline constexpr int32_t OpenDocumentsId = 21;
inline constexpr int32_t EnvironmentListId = 23;
inline constexpr int32_t HoldRecomputeId = 73;
inline constexpr int32_t DocumentCountId = 3;
inline constexpr int32_t ComponentSetId = 39;
inline constexpr int32_t ComponentCountId = 3;
inline constexpr int32_t ComponentLinkId = 4;
inline constexpr int32_t PartLinksId = 16390;
inline constexpr int32_t LinkBlockedId = 10;
inline constexpr int32_t LinkedDocumentId = 7;
inline constexpr int32_t VariableValueId = 3;
inline constexpr int32_t FeatureListId = 30;
inline constexpr int32_t FeatureCountId = 5;
inline constexpr int32_t BarListId = 8;
inline constexpr int32_t AddBarId = 7;
inline constexpr int32_t BarControlsId = 3;
inline constexpr int32_t ControlCountId = 2;
inline constexpr int32_t AddControlId = 4;
inline constexpr int32_t RunPathId = 0x1001000F;
inline constexpr int32_t SetPictureFileId = 0x1001001C;
inline constexpr int32_t ButtonDescriptionId = 0x10010006;
inline constexpr int32_t ButtonTitleId = 0x10010014;
inline constexpr int32_t ButtonOptionAId = 0x10010017;
inline constexpr int32_t ButtonOptionBId = 0x10010007;

// Document type codes.
inline constexpr int32_t AssemblyDocumentType = 3;
inline constexpr int32_t SheetMetalDocumentType = 4;

// Component, feature and status codes (32-bit; the large ones are negative).
inline constexpr int32_t DirectComponentType = static_cast<int32_t>(0xD22C9AD0);
inline constexpr int32_t NamedComponentType = static_cast<int32_t>(0x8FF2DD03);
inline constexpr int32_t CopiedPartFeatureType = static_cast<int32_t>(0x906F3EB4);
inline constexpr int32_t FeatureStatusWarned = 0x4881F498;
inline constexpr int32_t FeatureStatusFailed = 0x4881F497;

} // namespace psm::cad::ids
