#pragma once

#include <array>
#include <cstdint>

#include "app/page.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QToolButton;
class QWidget;

namespace lumera {

class AboutPage;
class TMainForm;
class TRadioGroup;
class TScrollBarEx;

// The "Picture" page: brightness, contrast, sharpness, hue, saturation,
// colour temperature and gains, input, 3D input format, orientation, audio and
// scaling of the selected window. The image is its state: every edit is
// stored at once, a bar sends when the operator ends a move, everything else
// sends at once, and a load sends nothing.
class PicturePage : public Page {
 public:
  enum Bar { kBri, kCon, kXha, kHue, kXat, kRgn, kGgn, kBgn, kBarCount };

  PicturePage(TMainForm& form, AboutPage& about);

  // TabPictureShow: RefreshPictureTab under the page-load guard, then the
  // overlays-off exchange on FamilyU.
  void Show() override;
  void ConfigureForModel() override;
  void RefreshPictureTab();

  void SBBriChange(int position);
  void SBBriScroll(int code);
  void SBConChange(int position);
  void SBConScroll(int code);
  void SBXhaChange(int position);
  void SBXhaScroll(int code);
  void SBHUEChange(int position);
  void SBHUEScroll(int code);
  void SBXatChange(int position);
  void SBXatScroll(int code);
  void SBRGNChange(int position);
  void SBRGNScroll(int code);
  void SBGGNChange(int position);
  void SBGGNScroll(int code);
  void SBBGNChange(int position);
  void SBBGNScroll(int code);
  void CBColorChange(int index);
  void BtnRotClick(int tag);
  void RGInputClick();
  void RB3DInputClick();
  void RGAudioClick();
  void RGScalingClick();

  TScrollBarEx* ScrollBar(Bar bar) const { return bars_[bar]; }
  QLabel* Readout(Bar bar) const { return readouts_[bar]; }
  QComboBox* CBColor() const { return cbColor_; }
  TRadioGroup* RGInput() const { return rgInput_; }
  TRadioGroup* RB3DInput() const { return rb3DInput_; }
  TRadioGroup* RGAudio() const { return rgAudio_; }
  TRadioGroup* RGScaling() const { return rgScaling_; }
  const std::array<QToolButton*, 6>& RotButtons() const { return rotButtons_; }

 private:
  void BuildAdjustments(QWidget* page);
  void BuildColour(QWidget* page);
  void BuildChoices(QWidget* page);
  void BuildRotation(QWidget* page);
  void AddBar(QWidget* parent, Bar bar, int y);

  void BarChange(Bar bar, int position);
  void BarScroll(Bar bar, int code);
  // Sets a bar from an image byte; gains go through the percentage on the
  // boxes whose gain bars run in percent.
  void LoadBar(Bar bar, uint8_t value);
  void SetGainsEnabled(bool enabled);
  void PressRotation(int orientation);
  uint8_t* Picture();
  uint8_t* Setup();
  bool GainsInPercent() const;
  bool Loading() const;

  TMainForm& form_;
  AboutPage& about_;
  std::array<TScrollBarEx*, kBarCount> bars_{};
  std::array<QLabel*, kBarCount> readouts_{};
  QComboBox* cbColor_ = nullptr;
  TRadioGroup* rgInput_ = nullptr;
  TRadioGroup* rb3DInput_ = nullptr;
  TRadioGroup* rgAudio_ = nullptr;
  TRadioGroup* rgScaling_ = nullptr;
  QGroupBox* gbRotation_ = nullptr;
  QButtonGroup* rotGroup_ = nullptr;
  std::array<QToolButton*, 6> rotButtons_{};
};

}  // namespace lumera
