#include "app/panel/visit_history.h"

namespace seedscape {

void VisitHistory::Add(const Visit& visit) {
    if (!visits_.empty()) {
        visits_.resize(current_ + 1);
        ids_.resize(current_ + 1);
    }
    visits_.push_back(visit);
    ids_.push_back(next_id_++);
    current_ = visits_.size() - 1;
}

void VisitHistory::UpdateCurrent(const Recipe& recipe, double f) {
    if (visits_.empty()) return;
    visits_[current_].recipe = recipe;
    visits_[current_].f = f;
}

void VisitHistory::EditCurrent(const Recipe& recipe, double fak) {
    if (visits_.empty()) return;
    visits_[current_].recipe = recipe;
    visits_[current_].fak = fak;
}

const Visit& VisitHistory::Back() {
    if (CanGoBack()) --current_;
    return visits_[current_];
}

const Visit& VisitHistory::Forward() {
    if (CanGoForward()) ++current_;
    return visits_[current_];
}

}  // namespace seedscape
