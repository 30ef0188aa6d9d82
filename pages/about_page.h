#pragma once

#include <array>

#include "app/page.h"

class QGroupBox;
class QRadioButton;
class QToolButton;

namespace lumera {

class TMainForm;

// The "About" page. It is never shown to the operator, but its orientation
// radios are kept in line with the picture's orientation and still send when
// chosen.
class AboutPage : public Page {
 public:
  explicit AboutPage(TMainForm& form);

  // TabAboutShow: the overlays-off exchange on FamilyU; it loads nothing.
  void Show() override;

  void RBRot1Click(int tag);
  void ImgRotClick(int tag);

  // Selects the radio of an orientation without running its handler, so that
  // a page load shows an orientation without storing it.
  void ShowOrientation(int orientation);

  QGroupBox* RBRotation() const { return rbRotation_; }
  const std::array<QRadioButton*, 6>& RotRadios() const { return rotRadios_; }
  const std::array<QToolButton*, 6>& RotPictures() const { return imgRot_; }

 private:
  TMainForm& form_;
  QGroupBox* rbRotation_ = nullptr;
  std::array<QRadioButton*, 6> rotRadios_{};
  std::array<QToolButton*, 6> imgRot_{};
};

}  // namespace lumera
