#include "survey/SurveyCommand.h"

#include "core/ProgramSettings.h"
#include "survey/SurveyRead.h"
#include "survey/SurveyTable.h"
#include "tables/BendValueLoader.h"
#include "tables/LanguageSetting.h"

namespace psm {

bool IsSurveyRequest(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1 || arguments[0].size() < 2 ||
        (arguments[0][0] != '/' && arguments[0][0] != '-')) {
        return false;
    }
    return SameLetters(std::string_view(arguments[0]).substr(1), "survey");
}

SurveyCommandResult RunSurveyCommand(const SurveyCommandContext& context) {
    const SettingsNames names = ProgramSettingsNames();
    const LanguageTexts texts = TextsInStoredLanguage(context.Settings, names);
    TableModel tables;
    const std::string path = StartValueFilePath(context.Settings, names, context.Location);
    const LoaderContext loader{context.Settings, names.SettingsAppName, names.SettingsSection,
                               context.DecodeAnsi};
    if (!LoadBendValues(path, loader, tables).Read) {
        return {2, texts.Message(MessageText::ValueFileMissing) + "\r\n"};
    }

    SurveyState survey;
    {
        const cad::CommandWaits waits(context.Waits);
        BeginSurvey(survey, context.Automation);
    }
    // The tree is walked whole first: the table lists it.
    while (survey.Tree && survey.Phase == SurveyPhase::Reading) {
        const cad::CommandWaits waits(context.Waits);
        if (!WalkSurveyTree(survey, [] { return false; })) {
            // Busy beyond the command's wait: the tree would stay unknown.
            survey.Tree.reset();
            survey.Phase = SurveyPhase::Unreachable;
        }
    }
    if (survey.Phase == SurveyPhase::NothingToSurvey || survey.Phase == SurveyPhase::Unreachable) {
        const SurveyText why = survey.Phase == SurveyPhase::NothingToSurvey
                                   ? SurveyText::NothingToSurvey
                                   : SurveyText::Unreachable;
        return {2, texts.Survey(why) + "\r\n"};
    }
    while (survey.Phase == SurveyPhase::Reading) {
        const cad::CommandWaits waits(context.Waits);
        if (!ReadNextPart(survey, tables) && ++survey.Read == survey.Parts.size()) {
            // A part the program would not let be read stays unread.
            survey.Phase = SurveyPhase::Done;
        }
    }
    const SurveyTable table = SurveyTableOf(survey, {texts, tables, context.DecimalSeparator});
    return {SurveyExitCode(survey), SurveyReport(table)};
}

} // namespace psm
