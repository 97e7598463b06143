#pragma once

#include "platform/MessageBoxes.h"
#include "platform/TextDecoding.h"
#include "tables/SettingsStore.h"
#include "tables/TableModel.h"
#include "texts/Texts.h"

#include <cstdint>
#include <optional>
#include <string>

namespace psm {

// What the value file loader reads besides the file.
struct LoaderContext {
    const SettingsStore& Settings;
    std::string SettingsAppName;
    std::string SettingsSection;
    char DecimalSeparator;
    const TextTables& Texts;
    MessageBoxes& Boxes;    // the message about a unit line with an unknown unit
    AnsiDecoder DecodeAnsi; // empty: Windows-1252
};

// Real value files hold a few kilobytes; a file above this was chosen by
// mistake and is treated like an unreadable one.
inline constexpr std::uint64_t MaxValueFileBytes = 64ull * 1024 * 1024;

// The text of the value file at the path, decoded, as the loader and the check
// read it. Nothing when no readable file is there, it is larger than
// MaxValueFileBytes or it does not fit into memory.
std::optional<std::string> ReadValueFileText(const std::string& path,
                                             const AnsiDecoder& decodeAnsi);

// Reads the value file into the model. False when no readable file is at the
// path, it is larger than MaxValueFileBytes or it does not fit into memory;
// the lists are empty then, and only a "ScaleFactor" setting has been applied.
bool LoadBendValues(const std::string& path, const LoaderContext& context, TableModel& model);

// The same for the bytes of a file that exists.
void LoadBendValuesFromBytes(std::string bytes, const LoaderContext& context, TableModel& model);

} // namespace psm
