#pragma once

// The survey of an assembly as it stands: every part and sub-assembly its
// components lead to at any depth, each as far as it was read (values,
// recognised type or nearest type, its features' state), and where the
// reading is. survey/SurveyRead reads it.

#include "cad/AssemblyParts.h"
#include "cad/AssemblyTree.h"
#include "cad/Connection.h"
#include "cad/FeatureCheck.h"
#include "cad/SheetMetalVariables.h"
#include "tables/TableModel.h"
#include "tables/TypeMatch.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace psm {

// What a part of the survey is, as far as it was read.
enum class PartKind {
    Unread,      // not read yet, or its read met a busy or vanished program
    SheetMetal,  // a sheet-metal document, read
    Other,       // another kind of document: nothing to work on
    LinkBlocked, // its component's link is blocked
    LinkMissing, // its component leads to no document that can be found
    NoPart,      // a component of neither known kind
    TypeUnread,  // its document type could not be read: nothing known of it
    Unreachable, // its document no longer answers as existing (closed, disconnected)
    Assembly,    // a sub-assembly: its parts are rows of their own
};

// An assembly that uses a part directly.
struct SurveyUse {
    cad::ObjectRef Assembly; // as the walk met it: the top seen as an assembly
    std::string Name;
};

struct SurveyPart {
    cad::ObjectRef Document;
    std::string Name;       // the document's file name; a component's for one without a part
    int64_t Components = 1; // how many components lead to it in the whole tree
    PartKind Kind = PartKind::Unread;
    cad::CadValues Values; // in CAD units
    int TypeRow = 0;       // the value file's type that carries them; 0: none
    NearestType Nearest;   // for a sheet-metal part of no type
    std::vector<cad::FeatureFinding> Findings;
    bool CopiedPart = false;
    bool Checked = false;          // the user's check box
    std::vector<SurveyUse> UsedBy; // the assemblies that use it directly, each once
    // A sub-assembly's walk: it contains itself, lies too deep to be walked,
    // or its components could not be read.
    bool InsideItself = false;
    bool TooDeep = false;
    bool ComponentsUnread = false;
};

enum class SurveyPhase {
    Reading,         // parts wait to be read
    Done,            // every part is read
    Cancelled,       // the user stopped it
    NothingToSurvey, // neither an assembly nor a sheet-metal document is active
    Unreachable,     // the CAD program or its active document cannot be reached
    Writing,         // checked parts are being written, a slice per step
};

struct SurveyState {
    bool Open = false; // the survey window is shown
    SurveyPhase Phase = SurveyPhase::NothingToSurvey;
    // The survey's own attach: the watch's connection stays the watch's.
    cad::CadConnection Cad;
    std::string Subject; // the surveyed document's name
    // The surveyed assembly, seen as one; none for a single sheet-metal document.
    cad::ObjectRef Assembly;
    // The walk of the assembly's tree until it ends; the parts are listed then.
    std::optional<cad::AssemblyTree> Tree;
    std::vector<SurveyPart> Parts; // in the order of their first component
    std::size_t Read = 0;          // the parts read so far, from the first
    bool Waiting = false;          // the CAD program did not answer the last step
    // While parts are written: how many are done, of how many.
    std::size_t Written = 0;
    std::size_t ToWrite = 0;
    // The order the window lists the parts in: a column (0-based) and its direction.
    std::optional<int> SortColumn;
    bool Descending = false;
};

} // namespace psm
