#pragma once

#include <QObject>
#include <array>
#include <cstddef>
#include <cstdint>

#include "app/page.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QToolButton;
class QWidget;

namespace lumera {

class TMainForm;
class TRadioGroup;

// The "Output" page: the output timing of the selected window from its
// family's buttons or customised, HDCP output, deep colour and 3D output.
class OutputPage : public Page {
 public:
  explicit OutputPage(TMainForm& form);

  // TabOutputShow
  void Show() override;
  void ConfigureForModel() override;
  void RefreshOutputTab();

  void OutBtnClick(QAbstractButton* button);
  void GOutbtnCusClick();
  void RGHDCPOutputClick();
  void CBDeepColorClick();
  void RB3DOutputClick();

  // The control tables, in tag order (GOutbtnCus last in GOutButtons).
  const std::array<QToolButton*, 18>& GOutButtons() const { return gOut_; }
  const std::array<QToolButton*, 19>& UOutButtons() const { return uOut_; }
  const std::array<QToolButton*, 15>& MOutButtons() const { return mOut_; }
  QToolButton* GOutbtnCus() const { return gOut_[17]; }
  QLabel* STCusRes() const { return stCusRes_; }
  TRadioGroup* RGHDCPOutput() const { return rgHdcp_; }
  QCheckBox* CBDeepColor() const { return cbDeepColor_; }
  TRadioGroup* RB3DOutput() const { return rb3dOutput_; }
  // Whether GOutbtnCus is one of the exclusive group now.
  bool CustomInGroup() const;

 private:
  template <std::size_t N>
  QButtonGroup* BuildGroup(QGroupBox* box, std::array<QToolButton*, N>& table, uint8_t modelByte,
                           std::size_t grouped);
  void CustomJoinsGroup();
  void CustomLeavesGroup();
  void ShowCustomTiming();
  uint8_t* Setup();

  TMainForm& form_;
  // Connections end with the page, before the widgets go.
  QObject context_;
  QWidget* page_;
  QGroupBox* gbG_ = nullptr;
  QGroupBox* gbU_ = nullptr;
  QGroupBox* gbM_ = nullptr;
  std::array<QToolButton*, 18> gOut_{};
  std::array<QToolButton*, 19> uOut_{};
  std::array<QToolButton*, 15> mOut_{};
  QButtonGroup* groupG_ = nullptr;
  QButtonGroup* groupU_ = nullptr;
  QButtonGroup* groupM_ = nullptr;
  QLabel* stCusRes_ = nullptr;
  TRadioGroup* rgHdcp_ = nullptr;
  QCheckBox* cbDeepColor_ = nullptr;
  TRadioGroup* rb3dOutput_ = nullptr;
};

}  // namespace lumera
