#include "apply/Apply.h"

#include "apply/WaitCursor.h"
#include "apply/WriteValues.h"
#include "cad/CadIds.h"
#include "cad/FeatureCheck.h"
#include "platform/NumberText.h"
#include "selection/Selection.h"

#include <cmath>

namespace psm {
namespace {

constexpr int NeutralFactor = 3; // the one value that is never scaled
const std::string CrLf = "\r\n";

MessageAnswer Show(const Services& services, const std::string& text, const std::string& title,
                   MessageButtons buttons, MessageIcon icon) {
    return services.Boxes.ShowMessage(text, title, buttons, icon);
}

// The feature lines of the last check, a blank line and message text n.
std::string FeatureQuestion(const AppState& state, int n) {
    return state.Features.FeatureMessage + CrLf + CrLf + state.Texts.Message(n);
}

// M0: a wrong decimal separator in a value text.
void ShowWrongSeparator(const AppState& state, const Services& services) {
    Show(services, state.Texts.Message(3), state.Texts.Message(1), MessageButtons::Ok,
         MessageIcon::Critical);
}

// M1: a value of the chosen type cannot be converted.
void ShowInvalidInput(const AppState& state, const Services& services) {
    Show(services, state.Texts.Message(3), state.Texts.Message(1), MessageButtons::Ok,
         MessageIcon::Exclamation);
}

// M2: the part edited in place holds a copied part.
void ShowCopiedPart(const AppState& state, const Services& services) {
    Show(services, state.Texts.Message(5), state.Texts.Message(1), MessageButtons::Ok,
         MessageIcon::Exclamation);
}

// M3: features fail already; true when the user chose OK.
bool ConfirmExecute(const AppState& state, const Services& services) {
    return Show(services, FeatureQuestion(state, 6), state.Texts.Message(1),
                MessageButtons::OkCancel, MessageIcon::Exclamation) == MessageAnswer::Ok &&
           !Ended(state);
}

// M4: features fail after the write; true when the user chose Yes.
bool ConfirmUndo(const AppState& state, const Services& services) {
    return Show(services, FeatureQuestion(state, 7), state.Texts.Message(1), MessageButtons::YesNo,
                MessageIcon::Exclamation) == MessageAnswer::Yes &&
           !Ended(state);
}

// The write back was refused: the document is no longer the one its values
// were read from.
void ShowUndoRefused(const AppState& state, const Services& services) {
    Show(services, state.Texts.Message(13), state.Texts.Message(1), MessageButtons::Ok,
         MessageIcon::Exclamation);
}

// M5: features still fail after the write back.
void ShowCheckPart(const AppState& state, const Services& services, int titleNumber) {
    Show(services, FeatureQuestion(state, 8), state.Texts.Message(titleNumber), MessageButtons::Ok,
         MessageIcon::Exclamation);
}

bool Check(AppState& state, const cad::ObjectRef& document) {
    return cad::CheckFeatureStatus(state.Features, document, state.Texts);
}

enum class Before { Clean, FailingInPlace, FailingActive };

// Writes the new values and, when features then fail and the user agrees,
// the earlier ones back. True when the earlier values are back.
bool WriteAndOfferUndo(AppState& state, const Services& services, const cad::ObjectRef& document,
                       Before before) {
    const cad::WriteOutcome written = WriteNewValues(state, services, document);
    if (Ended(state) || !WriteLanded(state, services, written, TypeNotSetText) ||
        Check(state, document)) {
        return false;
    }
    // In the active document a copied part alone leaves no lines to show.
    if (before == Before::FailingActive && state.Features.FeatureMessage.empty()) {
        return false;
    }
    if (!ConfirmUndo(state, services)) {
        return false;
    }
    const auto restored = WriteBackCurrentValues(state, services, document);
    if (!restored) {
        // The new values stay, and so do the lists that show them.
        if (!Ended(state)) {
            ShowUndoRefused(state, services);
        }
        return false;
    }
    if (Ended(state) || !WriteLanded(state, services, *restored, TypeNotResetText)) {
        return false;
    }
    if (!Check(state, document)) {
        ShowCheckPart(state, services, before == Before::Clean ? 1 : 8);
    }
    return !Ended(state);
}

bool SheetMetalDocumentActive(const cad::CadConnection& cad) {
    return cad.ActiveDocType == cad::ids::SheetMetalDocumentType ||
           (cad.ActiveDocType == cad::ids::AssemblyDocumentType &&
            cad.WorkDocType == cad::ids::SheetMetalDocumentType);
}

} // namespace

int ConvertSelectedValueCount(AppState& state, const Services& services) {
    const int row = state.Selection.SelectedTypeRow;
    if (row == 0) {
        return 0;
    }
    const char wrongSeparator = state.DecimalSeparator == '.' ? ',' : '.';
    const TypeRow& type = state.Tables.Type(row);
    for (int k = 1; k <= 5; ++k) {
        const std::string& text = type.Field(k + 1);
        for (const char c : text) {
            if (c == wrongSeparator) {
                ShowWrongSeparator(state, services);
                if (Ended(state)) {
                    return k - 1;
                }
            }
        }
        std::optional<double> number = TextToNumber(text, state.DecimalSeparator);
        if (number && k != NeutralFactor) {
            const double scaleFactor = state.Tables.ScaleFactor;
            number = scaleFactor != 0.0 ? std::optional(*number / scaleFactor) : std::nullopt;
        }
        if (!number || !std::isfinite(*number)) {
            return k - 1;
        }
        state.Apply.NewValues[static_cast<size_t>(k - 1)] =
            NumberToText(*number, state.DecimalSeparator);
    }
    return 5;
}

bool ConvertSelectedValues(AppState& state, const Services& services) {
    return ConvertSelectedValueCount(state, services) == 5;
}

void cmdWrite_Click(AppState& state, const Services& services) {
    ApplySelectedType(state, services);
}

void ApplySelectedType(AppState& state, const Services& services) {
    const CommandScope command(state);
    const WaitCursor wait(services.Pointer);
    if (!SheetMetalDocumentActive(state.Cad)) {
        return;
    }
    // The type the lists show is the one written; with none shown, nothing is.
    TakeShownType(state);
    if (!ConvertSelectedValues(state, services)) {
        if (!Ended(state) && state.Selection.SelectedTypeRow != 0) {
            ShowInvalidInput(state, services);
        }
        return;
    }
    // One document for the whole command, whatever happens meanwhile.
    const cad::ObjectRef document = CommandDocument(state);
    bool wroteBack = false;
    if (Check(state, document)) {
        wroteBack = WriteAndOfferUndo(state, services, document, Before::Clean);
    } else if (state.Watch.InPlaceEdit) {
        if (state.Features.CopiedPartFound) {
            ShowCopiedPart(state, services);
            return;
        }
        if (!ConfirmExecute(state, services)) {
            return;
        }
        wroteBack = WriteAndOfferUndo(state, services, document, Before::FailingInPlace);
    } else {
        if (!state.Features.FeatureMessage.empty() && !ConfirmExecute(state, services)) {
            return;
        }
        wroteBack = WriteAndOfferUndo(state, services, document, Before::FailingActive);
    }
    if (!wroteBack) {
        return;
    }
    state.Selection.FormReady = false;
    ShowCurrentType(state, services);
    state.Selection.FormReady = true;
}

} // namespace psm
