#pragma once

#include "base/window.h"
#include "search/criteriapanel.h"

#include <memory>

namespace parlog {

// edit ("Delete"): removes the rounds that match the criteria, after asking.
class DeleteRounds : public Window {
    Q_OBJECT
public:
    explicit DeleteRounds(Application& app);

    void load() override;
    // The rounds that match, counted, asked about, copied aside and deleted.
    void deleteMatching();

private:
    std::unique_ptr<CriteriaPanel> m_criteria;
};

} // namespace parlog
