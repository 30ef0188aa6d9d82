#include "pages/picture_page.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "app/main_form.h"
#include "app/radio_group.h"
#include "app/scroll_bar.h"
#include "conversation/input_names.h"
#include "conversation/model_family.h"
#include "conversation/pauser.h"
#include "link/command_templates.h"
#include "pages/about_page.h"
#include "pages/picture_rules.h"
#include "pages/rotation_glyph.h"

namespace lumera {

namespace {

struct BarSpec {
  const char* name;
  const char* readout;
  const char* label;
  int maximum;
  int initial;
  U8 field;
  const CommandTemplate* command;
  int factor;  // read-out and value sent = position x factor
  bool gain;
  void (PicturePage::*change)(int);
  void (PicturePage::*scroll)(int);
};

const BarSpec kBars[PicturePage::kBarCount] = {
    {"SBBri", "STBri", "Brightness", 100, 50, PictureField::Brightness, &Tpl::BRI, 1, false,
     &PicturePage::SBBriChange, &PicturePage::SBBriScroll},
    {"SBCon", "STCon", "Contrast", 100, 75, PictureField::Contrast, &Tpl::CON, 1, false,
     &PicturePage::SBConChange, &PicturePage::SBConScroll},
    {"SBXha", "STXha", "Sharpness", 10, 10, PictureField::Sharpness, &Tpl::XHA, 10, false,
     &PicturePage::SBXhaChange, &PicturePage::SBXhaScroll},
    {"SBHUE", "STHUE", "HUE", 100, 50, PictureField::Hue, &Tpl::HUE, 1, false,
     &PicturePage::SBHUEChange, &PicturePage::SBHUEScroll},
    {"SBXat", "STXat", "Saturation", 100, 50, PictureField::Saturation, &Tpl::XAT, 1, false,
     &PicturePage::SBXatChange, &PicturePage::SBXatScroll},
    {"SBRGN", "STRGN", "Red", 255, 255, PictureField::RedGain, &Tpl::RGN, 1, true,
     &PicturePage::SBRGNChange, &PicturePage::SBRGNScroll},
    {"SBGGN", "STGGN", "Green", 255, 255, PictureField::GreenGain, &Tpl::GGN, 1, true,
     &PicturePage::SBGGNChange, &PicturePage::SBGGNScroll},
    {"SBBGN", "STBGN", "Blue", 255, 255, PictureField::BlueGain, &Tpl::BGN, 1, true,
     &PicturePage::SBBGNChange, &PicturePage::SBBGNScroll},
};

constexpr int kCustomColour = 3;
constexpr int kRotationIcon = 36;

// Page geometry: two columns inside the 770 x 505 page area.
constexpr int kLeftX = 8;
constexpr int kLeftWidth = 376;
constexpr int kRightX = 396;
constexpr int kRightWidth = 366;
constexpr int kRowHeight = 36;

template <typename W>
W* Named(W* w, const char* name) {
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

}  // namespace

PicturePage::PicturePage(TMainForm& form, AboutPage& about) : form_(form), about_(about) {
  QWidget* page = form_.PageWidget(kPagePicture);
  BuildAdjustments(page);
  BuildColour(page);
  BuildChoices(page);
  BuildRotation(page);
}

void PicturePage::AddBar(QWidget* parent, Bar bar, int y) {
  const BarSpec& row = kBars[bar];
  auto* label = new QLabel(QString::fromLatin1(row.label), parent);
  label->setObjectName(QStringLiteral("LB") + QString::fromLatin1(row.name + 2));
  label->setGeometry(12, y, 80, 18);
  auto* sb = Named(new TScrollBarEx(Qt::Horizontal, parent), row.name);
  sb->setGeometry(96, y, 224, 18);
  sb->setRange(0, row.maximum);
  sb->setPageStep(row.maximum > 20 ? 10 : 1);
  sb->setValue(row.initial);
  sb->setAccessibleName(QString::fromLatin1(row.label));
  label->setBuddy(sb);
  auto* readout =
      Named(new QLabel(QString::number(row.initial * row.factor), parent), row.readout);
  readout->setGeometry(326, y, 36, 18);
  readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  readout->setAccessibleName(QString::fromLatin1(row.label) + QStringLiteral(" value"));
  bars_[bar] = sb;
  readouts_[bar] = readout;
  QObject::connect(sb, &TScrollBarEx::Change, sb,
                   [this, change = row.change](int p) { (this->*change)(p); });
  QObject::connect(sb, &TScrollBarEx::Scroll, sb,
                   [this, scroll = row.scroll](int code) { (this->*scroll)(code); });
}

void PicturePage::BuildAdjustments(QWidget* page) {
  auto* group = Named(new QGroupBox(page), "GBPicture");
  group->setAccessibleName(QStringLiteral("Picture adjustments"));
  group->setGeometry(kLeftX, 4, kLeftWidth, 26 + kRowHeight * 5);
  for (int i = kBri; i <= kXat; ++i) AddBar(group, static_cast<Bar>(i), 18 + kRowHeight * i);
}

void PicturePage::BuildColour(QWidget* page) {
  auto* group = Named(new QGroupBox(QStringLiteral("Color Setting"), page), "GBColor");
  group->setGeometry(kLeftX, 214, kLeftWidth, 40 + kRowHeight * 4);
  auto* label = Named(new QLabel(QStringLiteral("Color"), group), "LBColor");
  label->setGeometry(12, 26, 80, 20);
  cbColor_ = Named(new QComboBox(group), "CBColor");
  cbColor_->addItems({QStringLiteral("Reddish"), QStringLiteral("Nature"),
                      QStringLiteral("Blueish"), QStringLiteral("Custom")});
  cbColor_->setCurrentIndex(1);
  cbColor_->setGeometry(96, 24, 160, 24);
  cbColor_->setAccessibleName(QStringLiteral("Color"));
  label->setBuddy(cbColor_);
  // activated, unlike currentIndexChanged, is the operator's choice only: a
  // load sets the index without running the handler.
  QObject::connect(cbColor_, &QComboBox::activated, cbColor_,
                   [this](int index) { CBColorChange(index); });
  for (int i = kRgn; i <= kBgn; ++i)
    AddBar(group, static_cast<Bar>(i), 66 + kRowHeight * (i - kRgn));
  SetGainsEnabled(false);
}

void PicturePage::BuildChoices(QWidget* page) {
  rgInput_ = Named(new TRadioGroup(QStringLiteral("Input"), page), "RGInput");
  rgInput_->setGeometry(kRightX, 4, kRightWidth, 52);
  {
    const BoxSession& s = form_.Session();
    const InputNames names = InputNamesFor(s.ModelByte, s.SelectedWindow);
    QStringList items;
    for (const std::string& item : names.inputItems) items << QString::fromStdString(item);
    rgInput_->SetColumns(names.inputColumns);
    rgInput_->SetItems(items);
    rgInput_->SetItemIndex(0);
  }
  QObject::connect(rgInput_, &TRadioGroup::Click, rgInput_, [this] { RGInputClick(); });

  rb3DInput_ = Named(new TRadioGroup(QStringLiteral("3D Input Format"), page), "RB3DInput");
  rb3DInput_->setGeometry(kRightX, 62, kRightWidth, 62);
  rb3DInput_->SetColumns(2);
  rb3DInput_->SetItems({QStringLiteral("Automatic"), QStringLiteral("Side by Side"),
                        QStringLiteral("Top-bottom"), QStringLiteral("Line Alternative")});
  rb3DInput_->SetItemIndex(0);
  QObject::connect(rb3DInput_, &TRadioGroup::Click, rb3DInput_, [this] { RB3DInputClick(); });

  rgAudio_ = Named(new TRadioGroup(QStringLiteral("Audio "), page), "RGAudio");
  rgAudio_->setGeometry(kRightX, 222, kRightWidth, 48);
  rgAudio_->setAccessibleName(QStringLiteral("Audio"));
  rgAudio_->SetColumns(3);
  rgAudio_->SetItems(
      {QStringLiteral("MAIN"), QStringLiteral("PIP/POP"), QStringLiteral("MUTE On")});
  QObject::connect(rgAudio_, &TRadioGroup::Click, rgAudio_, [this] { RGAudioClick(); });

  rgScaling_ = Named(new TRadioGroup(QStringLiteral("Scaling"), page), "RGScaling");
  rgScaling_->setGeometry(kRightX, 276, kRightWidth, 48);
  rgScaling_->SetColumns(3);
  rgScaling_->SetItems(
      {QStringLiteral("Full Screen"), QStringLiteral("Original AR"), QStringLiteral("1 To 1")});
  rgScaling_->SetItemIndex(0);
  QObject::connect(rgScaling_, &TRadioGroup::Click, rgScaling_, [this] { RGScalingClick(); });
}

void PicturePage::BuildRotation(QWidget* page) {
  gbRotation_ = Named(new QGroupBox(QStringLiteral("Rotation"), page), "GBRotation");
  gbRotation_->setGeometry(kRightX, 130, kRightWidth, 86);
  rotGroup_ = new QButtonGroup(gbRotation_);
  rotGroup_->setExclusive(true);
  for (int i = 0; i < 6; ++i) {
    auto* b = new QToolButton(gbRotation_);
    b->setObjectName(QStringLiteral("BtnRot%1").arg(i));
    b->setProperty("Tag", i);
    b->setCheckable(true);
    b->setIcon(RotationIcon(i, kRotationIcon));
    b->setIconSize(QSize(kRotationIcon, kRotationIcon));
    b->setGeometry(12 + 58 * i, 24, 50, 50);
    b->setAccessibleName(QStringLiteral("Orientation %1").arg(OrientationName(i)));
    b->setToolTip(OrientationName(i));
    rotGroup_->addButton(b, i);
    rotButtons_[static_cast<std::size_t>(i)] = b;
    QObject::connect(b, &QToolButton::clicked, b, [this, i] { BtnRotClick(i); });
  }
  rotButtons_[0]->setChecked(true);
}

uint8_t* PicturePage::Picture() {
  BoxSession& s = form_.Session();
  return s.Image.PictureSettings.Entry(s.SelectedWindow);
}

uint8_t* PicturePage::Setup() {
  BoxSession& s = form_.Session();
  return s.Image.WindowSetup.Entry(s.SelectedWindow);
}

bool PicturePage::GainsInPercent() const {
  return FamilyOf(form_.Session().ModelByte) == Family::M;
}

bool PicturePage::Loading() const {
  return form_.Session().Has(LinkFlag::RefreshGuard);
}

void PicturePage::BarChange(Bar bar, int position) {
  const BarSpec& row = kBars[bar];
  readouts_[bar]->setText(QString::number(position * row.factor));
  // A load only shows the image. Storing the shown position back would turn
  // every percentage gain the box reported into its rounded neighbour.
  if (Loading()) return;
  const bool percent = row.gain && GainsInPercent();
  Set(Picture(), row.field,
      percent ? PercentToGain(position) : static_cast<uint8_t>(position < 0 ? 0 : position));
}

void PicturePage::BarScroll(Bar bar, int code) {
  if (code != TScrollBarEx::kScrollEnd) return;
  const BarSpec& row = kBars[bar];
  form_.Sender().SendBoxCommand(EncodedCommand(*row.command, bars_[bar]->value() * row.factor));
}

void PicturePage::SBBriChange(int p) {
  BarChange(kBri, p);
}
void PicturePage::SBBriScroll(int code) {
  BarScroll(kBri, code);
}
void PicturePage::SBConChange(int p) {
  BarChange(kCon, p);
}
void PicturePage::SBConScroll(int code) {
  BarScroll(kCon, code);
}
void PicturePage::SBXhaChange(int p) {
  BarChange(kXha, p);
}
void PicturePage::SBXhaScroll(int code) {
  BarScroll(kXha, code);
}
void PicturePage::SBHUEChange(int p) {
  BarChange(kHue, p);
}
void PicturePage::SBHUEScroll(int code) {
  BarScroll(kHue, code);
}
void PicturePage::SBXatChange(int p) {
  BarChange(kXat, p);
}
void PicturePage::SBXatScroll(int code) {
  BarScroll(kXat, code);
}
void PicturePage::SBRGNChange(int p) {
  BarChange(kRgn, p);
}
void PicturePage::SBRGNScroll(int code) {
  BarScroll(kRgn, code);
}
void PicturePage::SBGGNChange(int p) {
  BarChange(kGgn, p);
}
void PicturePage::SBGGNScroll(int code) {
  BarScroll(kGgn, code);
}
void PicturePage::SBBGNChange(int p) {
  BarChange(kBgn, p);
}
void PicturePage::SBBGNScroll(int code) {
  BarScroll(kBgn, code);
}

void PicturePage::SetGainsEnabled(bool enabled) {
  for (int i = kRgn; i <= kBgn; ++i) bars_[static_cast<std::size_t>(i)]->setEnabled(enabled);
}

void PicturePage::CBColorChange(int index) {
  if (index < 0 || index > kCustomColour) return;
  // Only "Custom" lets the gains move; the presets set their own gains in the
  // box and the tool never writes gains for them.
  SetGainsEnabled(index == kCustomColour);
  form_.Sender().SendBoxCommand(EncodedCommand(Tpl::CLR, index));
  Set(Picture(), PictureField::ColourTemp, static_cast<uint8_t>(index));
}

void PicturePage::PressRotation(int orientation) {
  rotButtons_[static_cast<std::size_t>(orientation)]->setChecked(true);
}

void PicturePage::BtnRotClick(int tag) {
  if (tag < 0 || tag >= kOrientations) return;
  PressRotation(tag);
  Set(Picture(), PictureField::Orientation, static_cast<uint8_t>(tag));
  if (Loading()) return;
  form_.Sender().SendBoxCommand(EncodedCommand(Tpl::ORI, tag));
}

void PicturePage::RGScalingClick() {
  const int index = rgScaling_->ItemIndex();
  if (index < 0) return;
  form_.Sender().SendBoxCommand(EncodedCommand(Tpl::XCL, index));
  // A load may show a code the radios cannot hold (5 on a two-item box, or
  // anything the box reports); showing it must not rewrite it.
  if (Loading()) return;
  Set(Picture(), PictureField::Scaling, ScalingCodeOfIndex(index));
}

void PicturePage::RGInputClick() {
  const int index = rgInput_->ItemIndex();
  BoxSession& s = form_.Session();
  if (index < 0 || Loading()) return;
  if (InputIndexOfCode(s.ModelByte, Get(Setup(), WindowSetupField::InputCode)) == index) return;
  form_.ShowWaitDialog(4000);
  s.Set(LinkFlag::RereadRequested);
  Set(Setup(), WindowSetupField::InputCode, MapInput(s.ModelByte, index));
  form_.Sender().SendBoxCommand(EncodedCommand(Tpl::INP, index));
}

void PicturePage::RB3DInputClick() {
  const int index = rb3DInput_->ItemIndex();
  if (index < 0) return;
  BoxSession& s = form_.Session();
  Set(Setup(), WindowSetupField::Input3D, static_cast<uint8_t>(index));
  if (Loading()) return;
  // The reply starts the wall re-read, which re-enables the window.
  s.ConversationStep = 2032;
  form_.Sender().SendBoxCommand(LastDigitCommand(Tpl::_3DI, index));
  if (!s.Connected()) return;
  form_.SetBusy(true);
  form_.Pauses().Pause(3000);
}

void PicturePage::RGAudioClick() {
  const int index = rgAudio_->ItemIndex();
  if (index < 0 || Loading()) return;
  uint8_t* setup = Setup();
  if (index == 2) {
    Set(setup, WindowSetupField::AudioMute, 1);
  } else {
    Set(setup, WindowSetupField::AudioMute, 0);
    Set(setup, WindowSetupField::AudioSource, static_cast<uint8_t>(index));
  }
  form_.Sender().SendBoxCommand(EncodedCommand(Tpl::MUT, index));
}

void PicturePage::LoadBar(Bar bar, uint8_t value) {
  TScrollBarEx* sb = bars_[bar];
  const int position = kBars[bar].gain && GainsInPercent() ? GainPercent(value, 0, 255) : value;
  sb->setValue(position);
}

void PicturePage::RefreshPictureTab() {
  BoxSession& s = form_.Session();
  uint8_t* picture = Picture();
  const uint8_t* setup = Setup();
  for (int i = kBri; i <= kXat; ++i) LoadBar(static_cast<Bar>(i), Get(picture, kBars[i].field));
  for (int i = kRgn; i <= kBgn; ++i) LoadBar(static_cast<Bar>(i), Get(picture, kBars[i].field));
  cbColor_->setCurrentIndex(Get(picture, PictureField::ColourTemp) <= kCustomColour
                                ? Get(picture, PictureField::ColourTemp)
                                : -1);

  const uint8_t* signal = s.Image.InputInfo.Entry(s.SelectedWindow) + InputField::Record(0);
  const PictureEnabling enabling =
      PictureEnablingFor(Get(signal, InputField::Hdr), Get(signal, InputField::ColourFormat),
                         cbColor_->currentIndex() == kCustomColour);
  bars_[kHue]->setEnabled(enabling.hueAndSaturation);
  bars_[kXat]->setEnabled(enabling.hueAndSaturation);
  SetGainsEnabled(enabling.gains);
  cbColor_->setEnabled(enabling.colourAndContrast);
  bars_[kCon]->setEnabled(enabling.colourAndContrast);

  rgScaling_->SetItemIndex(
      ScalingIndexOfCode(Get(picture, PictureField::Scaling), rgScaling_->Count()));

  if (Get(picture, PictureField::Orientation) >= kOrientations)
    Set(picture, PictureField::Orientation, 0);
  const Family family = FamilyOf(s.ModelByte);
  const uint8_t pipMode =
      Get(s.Image.SubWindowLayout.Entry(s.SelectedWindow), SubWindowField::PipMode);
  const RotationView view =
      RotationViewFor(family, pipMode, Get(picture, PictureField::Orientation));
  for (std::size_t i = 0; i < rotButtons_.size(); ++i)
    if (view.buttonEnabled[i]) rotButtons_[i]->setEnabled(*view.buttonEnabled[i]);
  if (view.groupEnabled) about_.RBRotation()->setEnabled(*view.groupEnabled);
  about_.ShowOrientation(view.shown);
  PressRotation(view.shown);

  rgInput_->SetItemIndex(InputIndexOfCode(s.ModelByte, Get(setup, WindowSetupField::InputCode)));
  if (family == Family::M) return;
  rb3DInput_->SetItemIndex(Get(setup, WindowSetupField::Input3D));
  rgAudio_->SetItemIndex(AudioIndexOf(Get(setup, WindowSetupField::AudioMute),
                                      Get(setup, WindowSetupField::AudioSource)));
}

void PicturePage::Show() {
  form_.TabRefresh([this] { RefreshPictureTab(); },
                   FamilyOf(form_.Session().ModelByte) == Family::U);
}

void PicturePage::ConfigureForModel() {
  const Family family = FamilyOf(form_.Session().ModelByte);
  const int gainMaximum = family == Family::M ? 100 : 255;
  for (int i = kRgn; i <= kBgn; ++i) {
    TScrollBarEx* sb = bars_[static_cast<std::size_t>(i)];
    // A narrower range moves the thumb; that is no edit and must not reach
    // the image.
    const QSignalBlocker quiet(sb);
    sb->setMaximum(gainMaximum);
    readouts_[static_cast<std::size_t>(i)]->setText(QString::number(sb->value()));
  }
  if (family == Family::M) {
    rgScaling_->SetColumns(2);
    rgScaling_->SetItems({QStringLiteral("Full Screen"), QStringLiteral("Original AR")});
  } else {
    rgScaling_->SetItems(
        {QStringLiteral("Full Screen"), QStringLiteral("Original AR"), QStringLiteral("1 To 1")});
    rgScaling_->SetColumns(3);
  }
  const bool threeD = family != Family::M;
  for (TRadioGroup* group : {rb3DInput_, rgAudio_}) {
    group->setVisible(threeD);
    group->setEnabled(threeD);
  }
}

}  // namespace lumera
