#pragma once

// An assembly's component set, its components, and the links that lead from a
// component to its part document.

#include "sim/Node.h"

#include <memory>
#include <string>
#include <vector>

namespace psm::sim {

class Document;

class Link final : public Node {
  public:
    Link(Document& owner, std::string id, std::string name, std::shared_ptr<Document> linked,
         bool blocked);
    const ClassInfo& Class() const override;
    bool Disconnected() const override;

    const std::string& Name() const { return m_name; }
    const std::shared_ptr<Document>& Linked() const { return m_linked; }
    bool Blocked() const { return m_blocked; }
    void SetBlocked(bool blocked) { m_blocked = blocked; }

  private:
    Document& m_owner;
    std::string m_name;
    std::shared_ptr<Document> m_linked;
    bool m_blocked;
};

class Component final : public Node {
  public:
    Component(Document& owner, std::string name, int32_t type);
    const ClassInfo& Class() const override;
    bool Disconnected() const override;

    const std::string& Name() const { return m_name; }
    int32_t Type() const { return m_type; }
    // The link of a direct component; null for the others.
    const std::shared_ptr<Link>& ComponentLink() const { return m_link; }
    void SetLink(std::shared_ptr<Link> link) { m_link = std::move(link); }

  private:
    Document& m_owner;
    std::string m_name;
    int32_t m_type;
    std::shared_ptr<Link> m_link;
};

class ComponentSet final : public Node {
  public:
    explicit ComponentSet(Document& owner);
    const ClassInfo& Class() const override;
    bool Disconnected() const override;

    std::vector<std::shared_ptr<Component>>& Items() { return m_items; }
    const std::vector<std::shared_ptr<Component>>& Items() const { return m_items; }

  private:
    Document& m_owner;
    std::vector<std::shared_ptr<Component>> m_items;
};

class PartLinks final : public Node {
  public:
    explicit PartLinks(Document& owner);
    const ClassInfo& Class() const override;
    bool Disconnected() const override;

    std::vector<std::shared_ptr<Link>>& Items() { return m_items; }

  private:
    Document& m_owner;
    std::vector<std::shared_ptr<Link>> m_items;
};

} // namespace psm::sim
