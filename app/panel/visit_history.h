#pragma once

#include <cstddef>
#include <vector>

#include "recipe/recipe.h"
#include "state/parameter_ranges.h"

namespace seedscape {

// One image mother visited in this session, with the children drawn from it.
struct Visit {
    Recipe recipe;
    double fak = 0;                  // the factor carried into the mother when it was drawn
    double f = kStartMagnification;  // the magnification when the window left it
};

// The mothers visited in this session, as a browser keeps pages: back and
// forward walk them, and a new mother after going back starts a new branch.
class VisitHistory {
  public:
    // A new mother: drops the visits ahead of the current one, then adds it.
    void Add(const Visit& visit);
    // What the window shows of the current visit: its children, its f.
    void UpdateCurrent(const Recipe& recipe, double f);
    // The current visit's picture edited: drawn afresh from the factor `fak`.
    void EditCurrent(const Recipe& recipe, double fak);
    // A number that names the current visit for as long as the session runs,
    // never given to another; -1 before the first.
    const Visit& Current() const { return visits_[current_]; }  // once there is one
    long long CurrentId() const { return ids_.empty() ? -1 : ids_[current_]; }

    bool CanGoBack() const { return current_ > 0; }
    bool CanGoForward() const { return current_ + 1 < visits_.size(); }
    const Visit& Back();
    const Visit& Forward();

    std::size_t size() const { return visits_.size(); }

  private:
    std::vector<Visit> visits_;
    std::vector<long long> ids_;  // beside visits_
    long long next_id_ = 0;
    std::size_t current_ = 0;
};

}  // namespace seedscape
