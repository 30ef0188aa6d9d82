#pragma once

namespace lumera {

// One page of PCMain (or a panel) as the main window sees it: its show
// handler, run when the page becomes visible and whenever the conversation
// refreshes the visible page, and its rows of the per-model set-up.
class Page {
 public:
  virtual ~Page() = default;
  virtual void Show() {}
  virtual void ConfigureForModel() {}
};

}  // namespace lumera
