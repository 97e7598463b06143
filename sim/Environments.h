#pragma once

// The program's environments ("SheetMetal", "Assembly", ...), their command
// bars and the controls on them.

#include "sim/Node.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace psm::sim {

class Control final : public Node {
  public:
    Control(std::string id, int32_t kind);
    const ClassInfo& Class() const override;

    int32_t Kind() const { return m_kind; }
    std::string RunPath;
    std::string PictureFile;
    std::string Description;
    std::string Title;
    bool OptionA = false;
    bool OptionB = false;

  private:
    int32_t m_kind;
};

class BarControls final : public Node {
  public:
    explicit BarControls(std::string id);
    const ClassInfo& Class() const override;

    Control& Add(int32_t kind);
    std::vector<std::shared_ptr<Control>>& Items() { return m_items; }

  private:
    std::vector<std::shared_ptr<Control>> m_items;
};

class CommandBar final : public Node {
  public:
    CommandBar(std::string id, std::string name, int32_t position);
    const ClassInfo& Class() const override;

    const std::string& Name() const { return m_name; }
    int32_t Position() const { return m_position; }
    // A button of the given kind (2 as the client adds them) running `runPath`.
    Control& AddButton(std::string runPath, int32_t kind = 2);
    const std::shared_ptr<BarControls>& ControlsNode() const { return m_controls; }
    const std::vector<std::shared_ptr<Control>>& Controls() const { return m_controls->Items(); }

  private:
    std::string m_name;
    int32_t m_position;
    std::shared_ptr<BarControls> m_controls;
};

class BarList final : public Node {
  public:
    explicit BarList(std::string id);
    const ClassInfo& Class() const override;

    CommandBar* Find(std::string_view name) const;
    CommandBar& Add(std::string name, int32_t position);
    const std::vector<std::shared_ptr<CommandBar>>& Items() const { return m_items; }

  private:
    std::vector<std::shared_ptr<CommandBar>> m_items;
};

class Environment final : public Node {
  public:
    explicit Environment(std::string name);
    const ClassInfo& Class() const override;

    const std::string& Name() const { return m_name; }
    const std::shared_ptr<BarList>& Bars() const { return m_bars; }
    CommandBar* FindBar(std::string_view name) const { return m_bars->Find(name); }
    CommandBar& AddBar(std::string name, int32_t position = 5) {
        return m_bars->Add(std::move(name), position);
    }

  private:
    std::string m_name;
    std::shared_ptr<BarList> m_bars;
};

class EnvironmentList final : public Node {
  public:
    EnvironmentList();
    const ClassInfo& Class() const override;

    Environment* Find(std::string_view name) const;
    const std::vector<std::shared_ptr<Environment>>& Items() const { return m_items; }

  private:
    std::vector<std::shared_ptr<Environment>> m_items;
};

} // namespace psm::sim
