#pragma once

// The application object and its collection of open documents.

#include "sim/Node.h"

namespace psm::sim {

class DocumentCollection final : public Node {
  public:
    DocumentCollection();
    const ClassInfo& Class() const override;
};

class Application final : public Node {
  public:
    Application();
    const ClassInfo& Class() const override;
    const std::shared_ptr<DocumentCollection>& Documents() const { return m_documents; }

  private:
    std::shared_ptr<DocumentCollection> m_documents;
};

} // namespace psm::sim
