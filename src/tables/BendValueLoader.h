#pragma once

#include "platform/TextDecoding.h"
#include "tables/SettingsStore.h"
#include "tables/TableModel.h"

#include <cstdint>
#include <optional>
#include <string>

namespace psm {

// What the value file loader reads besides the file.
struct LoaderContext {
    const SettingsStore& Settings;
    std::string SettingsAppName;
    std::string SettingsSection;
    AnsiDecoder DecodeAnsi; // empty: Windows-1252
};

// What a load found besides the tables.
struct ValueFileLoad {
    bool Read = false;    // a readable file was at the path
    int UnknownUnits = 0; // unit lines with a unit other than mm and in, for the user to hear of
};

// Real value files hold a few kilobytes; a file above this was chosen by
// mistake and is treated like an unreadable one.
inline constexpr std::uint64_t MaxValueFileBytes = 64ull * 1024 * 1024;

// The text of the value file at the path, decoded, as the loader and the check
// read it. Nothing when no readable file is there, it is larger than
// MaxValueFileBytes or it does not fit into memory.
std::optional<std::string> ReadValueFileText(const std::string& path,
                                             const AnsiDecoder& decodeAnsi);

// Reads the value file into the model. Not Read when no readable file is at
// the path, it is larger than MaxValueFileBytes or it does not fit into
// memory; the lists are empty then, and only a "ScaleFactor" setting has been
// applied. Values are read with a point or a comma as decimal separator.
ValueFileLoad LoadBendValues(const std::string& path, const LoaderContext& context,
                             TableModel& model);

// The same for the bytes of a file that exists.
ValueFileLoad LoadBendValuesFromBytes(std::string bytes, const LoaderContext& context,
                                      TableModel& model);

} // namespace psm
