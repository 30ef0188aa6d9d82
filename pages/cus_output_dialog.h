#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace lumera {

class TMainForm;
class TScrollBarEx;

// "Customixe Output Setting": edits the customised output timing live. Every
// accepted width, height or rate reaches the box at once; "Apply" only
// switches the window's output to the customised timing. A value over the
// pixel-clock limit is undone without a word and the box keeps the last
// accepted one.
class TCusOutput : public QDialog {
  Q_OBJECT
 public:
  explicit TCusOutput(TMainForm& main);

  // The fields the dialog edits, set from the window's stored timing before
  // each showing.
  void SetFields(uint32_t width, uint32_t height, uint8_t rate);
  uint32_t CusWidth() const { return cusWidth_; }
  uint32_t CusHeight() const { return cusHeight_; }
  uint8_t CusRate() const { return cusRate_; }

  // Shows the dialog modally, centred over the main window; Accepted when
  // "Apply" closed it.
  int ShowModalCentred();
  // Tests run the dialog through this instead of a modal loop: the runner
  // gets the shown dialog, acts on it and returns its result.
  void SetModalRunner(std::function<int(TCusOutput&)> runner) { runner_ = std::move(runner); }

  void FormShow();
  void SBCusWidthChange(int position);
  void SBCusWidthScroll(int code);
  void SBCusHeightChange(int position);
  void SBCusHeightScroll(int code);
  void CBRateChange(int index);

  TScrollBarEx* SBCusWidth() const { return sbWidth_; }
  TScrollBarEx* SBCusHeight() const { return sbHeight_; }
  QLabel* STCusOutW() const { return stWidth_; }
  QLabel* STCusOutH() const { return stHeight_; }
  QComboBox* CBRate() const { return cbRate_; }
  QPushButton* TntButton1() const { return btnApply_; }
  QPushButton* BtnCusOut() const { return btnCancel_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The stored width and height as the bars show them. The limit is checked
  // against these, so that a size no bar can show (as a box may report, 0
  // among them) cannot refuse every move of the other controls.
  uint16_t ShownWidth() const;
  uint16_t ShownHeight() const;
  void ShowRate(int index);

  TMainForm& main_;
  TScrollBarEx* sbWidth_;
  TScrollBarEx* sbHeight_;
  QLabel* stWidth_;
  QLabel* stHeight_;
  QComboBox* cbRate_;
  QPushButton* btnApply_;
  QPushButton* btnCancel_;
  uint32_t cusWidth_ = 800;
  uint32_t cusHeight_ = 600;
  uint8_t cusRate_ = 60;
  int rateIndex_ = 3;
  std::function<int(TCusOutput&)> runner_;
};

}  // namespace lumera
