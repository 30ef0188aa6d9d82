#pragma once

#include <array>
#include <cstdint>

#include "app/page.h"

class QGroupBox;
class QLabel;
class QWidget;

namespace lumera {

class TMainForm;

// The "Information" page: what the box reports about the selected window,
// its output mode and the signals of its main picture and sub windows. It
// keeps nothing of its own and sends nothing but the overlays-off exchange.
class InfoPage : public Page {
 public:
  static constexpr const char* kNothing = "- - - -";

  explicit InfoPage(TMainForm& form);

  // TBInfoShow
  void Show() override;
  void ConfigureForModel() override;
  void RefreshInfoTab();

  // 0 is the output mode group, 1-4 the WINDOW groups.
  QGroupBox* Group(int i) const { return groups_[static_cast<std::size_t>(i)]; }
  QLabel* ResText(int i) const { return res_[static_cast<std::size_t>(i)]; }
  QLabel* DetailText(int i) const { return detail_[static_cast<std::size_t>(i)]; }

 private:
  void ShowOutputMode(unsigned timingButton);
  // One signal record of the window: record 0 the main picture, 1-3 the sub
  // windows. memoLabel is the log line's start, or null for none.
  void ShowSignal(unsigned record, bool shown, uint8_t orientation, const char* memoLabel);
  void SetWindowCaption(int group, const char* radioGroup, uint8_t inputCode);

  TMainForm& form_;
  QWidget* page_;
  std::array<QGroupBox*, 5> groups_{};
  std::array<QLabel*, 5> res_{};
  std::array<QLabel*, 5> detail_{};
};

}  // namespace lumera
