#pragma once

#include "app/page.h"

namespace lumera {

class TMainForm;

// A settings page whose controls arrive later: its show handler already runs
// the common page load, so that showing it turns the box's test pattern,
// cursor and blend marker off on the models that have them, or ends a window
// switch with step 0 on the others.
class OverlayTabPage : public Page {
 public:
  OverlayTabPage(TMainForm& form, bool onFamilyM) : form_(form), onFamilyM_(onFamilyM) {}
  void Show() override;

 private:
  TMainForm& form_;
  bool onFamilyM_;  // the overlays exchange runs on FamilyM too, not only FamilyU
};

}  // namespace lumera
