#include "tables/BendValueLoader.h"

#include "platform/FileRead.h"
#include "platform/NumberText.h"
#include "platform/TextLines.h"
#include "tables/ValueFileSyntax.h"

#include <array>
#include <new>
#include <optional>
#include <string_view>
#include <utility>

namespace psm {
namespace {

// Applies a "ScaleFactor" setting; true when it holds a number, which then
// overrides the factor of the unit line. Anything else counts as no setting.
bool ApplyScaleFactorSetting(const LoaderContext& context, TableModel& model) {
    std::string setting = ReadSetting(context.Settings, context.SettingsAppName,
                                      context.SettingsSection, "ScaleFactor");
    if (setting.empty()) {
        return false;
    }
    if (context.DecimalSeparator == '.') {
        ReplaceAll(setting, ',', '.');
    } else {
        ReplaceAll(setting, '.', ',');
    }
    const std::optional<double> factor = TextToNumber(setting, context.DecimalSeparator);
    if (!factor) {
        return false;
    }
    model.ScaleFactor = *factor;
    return true;
}

void BeginLoad(const LoaderContext& context, TableModel& model, bool& scaleFactorSet) {
    scaleFactorSet = ApplyScaleFactorSetting(context, model);
    model.TableList.clear();
    model.TypeList.clear();
    model.TableCount = 0;
    model.TypeCount = 0;
}

class ValueFileParser {
  public:
    ValueFileParser(const LoaderContext& context, TableModel& model, bool scaleFactorSet)
        : m_context(context), m_model(model), m_scaleFactorSet(scaleFactorSet) {}

    void Line(std::string_view line) {
        const ValueFileLine classified = ClassifyLine(line, m_tableOpen);
        switch (classified.Kind) {
        case LineKind::Unit:
            Unit(classified.Text);
            return;
        case LineKind::Begin:
            Begin(classified.Text);
            return;
        case LineKind::End:
            m_tableOpen = false;
            return;
        case LineKind::Row:
            Row(classified.Text);
            return;
        case LineKind::Ignored:
            return;
        }
    }

  private:
    void Unit(std::string_view unit) {
        if (const std::optional<ValueFileUnit> known = UnitOf(unit)) {
            m_model.UnitSuffix = known->Suffix;
            if (!m_scaleFactorSet) {
                m_model.ScaleFactor = known->ScaleFactor;
            }
        } else {
            const TextTables& texts = m_context.Texts;
            m_context.Boxes.ShowMessage(texts.Message(MessageText::UnknownUnit),
                                        texts.Message(MessageText::Title), MessageButtons::Ok,
                                        MessageIcon::Exclamation);
        }
    }

    void Begin(std::string_view name) {
        m_tableOpen = true;
        ++m_model.TableCount;
        m_model.TableList.push_back(TableEntry{m_model.TypeCount + 1, std::string(name)});
    }

    void Row(std::string_view line) {
        ++m_model.TypeCount;
        TypeRow& row = m_model.TypeList.emplace_back();
        static_assert(TypeRow::FieldCount == RowFieldCount);
        const std::array<std::string_view, RowFieldCount> fields = RowFields(line);
        for (size_t field = 0; field < fields.size(); ++field) {
            row.Fields[field] = fields[field];
            if (field > 0) {
                AdaptDecimalSeparator(row.Fields[field], m_context.DecimalSeparator);
            }
        }
    }

    const LoaderContext& m_context;
    TableModel& m_model;
    const bool m_scaleFactorSet;
    bool m_tableOpen = false;
};

// Fills the model, whose setting is applied and lists are emptied, from the decoded text.
void LoadText(std::string_view text, const LoaderContext& context, TableModel& model,
              bool scaleFactorSet) {
    ValueFileParser parser(context, model, scaleFactorSet);
    TextLines lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        parser.Line(line);
    }
}

} // namespace

std::optional<std::string> ReadValueFileText(const std::string& path,
                                             const AnsiDecoder& decodeAnsi) {
    try {
        std::optional<std::string> bytes = ReadFileBytes(path, MaxValueFileBytes);
        if (!bytes) {
            return std::nullopt;
        }
        return DecodeText(std::move(*bytes), decodeAnsi);
    } catch (const std::bad_alloc&) {
        // Like a file that cannot be read: the program goes on without one.
        return std::nullopt;
    }
}

void LoadBendValuesFromBytes(std::string bytes, const LoaderContext& context, TableModel& model) {
    bool scaleFactorSet = false;
    BeginLoad(context, model, scaleFactorSet);
    const std::string text = DecodeText(std::move(bytes), context.DecodeAnsi);
    LoadText(text, context, model, scaleFactorSet);
}

bool LoadBendValues(const std::string& path, const LoaderContext& context, TableModel& model) {
    // A load that runs out of memory half way leaves the unit as it was before.
    const std::string unitSuffix = model.UnitSuffix;
    const double scaleFactor = model.ScaleFactor;
    try {
        const std::optional<std::string> text = ReadValueFileText(path, context.DecodeAnsi);
        if (text) {
            bool scaleFactorSet = false;
            BeginLoad(context, model, scaleFactorSet);
            LoadText(*text, context, model, scaleFactorSet);
            return true;
        }
    } catch (const std::bad_alloc&) {
        model.UnitSuffix = unitSuffix;
        model.ScaleFactor = scaleFactor;
    }
    bool scaleFactorSet = false;
    BeginLoad(context, model, scaleFactorSet);
    return false;
}

} // namespace psm
