#include "cad/CommandButton.h"

#include "cad/CadIds.h"
#include "cad/GuardedCalls.h"
#include "platform/MousePointer.h"
#include "platform/ProgramLocation.h"

#include <string>

namespace psm::cad {
namespace {

constexpr std::string_view BarName = "ORNA";
constexpr int32_t BarPosition = 5;
constexpr int32_t ButtonKind = 2;

std::string WithBackslash(std::string folder) {
    if (!folder.ends_with('\\')) {
        folder += '\\';
    }
    return folder;
}

// The path without its last three characters (UTF-8 aware), then "bmp";
// nothing for a path too short to have them.
std::optional<std::string> PicturePath(const std::string& runPath) {
    std::size_t end = runPath.size();
    for (int dropped = 0; dropped < 3; ++dropped) {
        if (end == 0) {
            return std::nullopt;
        }
        do {
            --end;
        } while (end > 0 && (static_cast<unsigned char>(runPath[end]) & 0xC0) == 0x80);
    }
    return runPath.substr(0, end) + "bmp";
}

ObjectRef Environment(const ObjectRef& app, DocumentKind kind) {
    const ObjectRef environments =
        GetObject(app, Id(ids::EnvironmentListId), {}, ids::EnvironmentListIid);
    const char* name = kind == DocumentKind::Assembly ? "Assembly" : "SheetMetal";
    return GetObject(environments, Id(ids::ItemId), {Value::Text(name)}, ids::EnvironmentIid);
}

ObjectRef CommandBar(const ObjectRef& environment) {
    const ObjectRef bars = GetObject(environment, Id(ids::BarListId), {}, ids::BarListIid);
    const std::string name(BarName);
    if (ObjectRef bar = GetObject(bars, Id(ids::ItemId), {Value::Text(name)}, ids::CommandBarIid)) {
        return bar;
    }
    return CallObject(bars, Id(ids::AddBarId), {Value::Text(name), Value::Int32(BarPosition)},
                      ids::CommandBarIid);
}

// This program's button among the bar's controls, or null.
ObjectRef FindButton(const ObjectRef& controls, std::string_view exeFileName) {
    const int16_t count = GetAs<int16_t>(controls, Id(ids::ControlCountId)).value_or(int16_t{0});
    for (int i = 1; i <= count; ++i) {
        ObjectRef button = GetObject(controls, Id(ids::ItemId),
                                     {Value::Int16(static_cast<int16_t>(i))}, ids::ButtonIid);
        const auto runPath = GetAs<std::string>(button, Id(ids::RunPathId));
        if (runPath && !exeFileName.empty() && runPath->ends_with(exeFileName)) {
            return button;
        }
    }
    return nullptr;
}

} // namespace

void InstallCommandButton(CadConnection& connection, Automation& automation,
                          const ProgramLocation& location, MousePointer& pointer,
                          std::string_view exeFileName, std::string_view description,
                          std::string_view title) {
    pointer.SetMousePointer(MousePointerShape::Wait);
    const std::string folder = WithBackslash(location.ProgramFolder());

    const DocumentKind kind = ConnectCad(connection, automation);
    if (kind != DocumentKind::Assembly && kind != DocumentKind::SheetMetal) {
        pointer.SetMousePointer(MousePointerShape::Default);
        return;
    }

    // Each reference is local to this run, so none from an earlier run can
    // stand in for one this run failed to get.
    ObjectRef environment = Environment(connection.CadApp, kind);
    ObjectRef bar = CommandBar(environment);
    const ObjectRef controls = GetObject(bar, Id(ids::BarControlsId), {}, ids::BarControlsIid);
    ObjectRef button = FindButton(controls, exeFileName);
    if (!button) {
        button =
            CallObject(controls, Id(ids::AddControlId), {Value::Int32(ButtonKind)}, ids::ButtonIid);
        PutValue(button, Id(ids::RunPathId), Value::Text(folder + std::string(exeFileName)));
    }

    if (const auto runPath = GetAs<std::string>(button, Id(ids::RunPathId))) {
        if (const auto picture = PicturePath(*runPath)) {
            CallMethod(button, Id(ids::SetPictureFileId), {Value::Text(*picture)});
        }
    }
    PutValue(button, Id(ids::ButtonDescriptionId), Value::Text(std::string(description)));
    PutValue(button, Id(ids::ButtonTitleId), Value::Text(std::string(title)));
    PutValue(button, Id(ids::ButtonOptionAId), Value::Boolean(true));
    PutValue(button, Id(ids::ButtonOptionBId), Value::Boolean(true));

    pointer.SetMousePointer(MousePointerShape::Default);
    button = nullptr;
    bar = nullptr;
    environment = nullptr;
}

} // namespace psm::cad
