#include "pages/output_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

#include "app/main_form.h"
#include "app/radio_group.h"
#include "app/scroll_bar.h"
#include "conversation/model_family.h"
#include "conversation/pauser.h"
#include "link/command_templates.h"
#include "pages/cus_output_dialog.h"
#include "pages/timing_table.h"

namespace lumera {

namespace {

constexpr int kColumns = 4;
constexpr int kButtonWidth = 118;
constexpr int kButtonHeight = 30;
constexpr int kPitchX = 124;
constexpr int kPitchY = 36;
constexpr int kGroupWidth = 12 + kColumns * kPitchX;
constexpr int kGroupHeight = 24 + 5 * kPitchY + 6;
constexpr uint32_t kWallRereadStep = 2032;
constexpr uint32_t k3DOutputPauseMs = 5000;

// Model bytes whose tables give each group its buttons and captions.
constexpr uint8_t kModelG = 0x00;
constexpr uint8_t kModelU = 0x10;
constexpr uint8_t kModelM = 0x20;

QGroupBox* TimingGroup(QWidget* page, const char* name, const char* label) {
  auto* g = new QGroupBox(page);
  g->setObjectName(QString::fromLatin1(name));
  g->setAccessibleName(QString::fromLatin1(label));
  g->setTitle(QString::fromLatin1(label));
  g->setGeometry(8, 8, kGroupWidth, kGroupHeight);
  return g;
}

}  // namespace

OutputPage::OutputPage(TMainForm& form) : form_(form), page_(form.PageWidget(kPageOutput)) {
  gbG_ = TimingGroup(page_, "GBOurputG", "Output Timing");
  gbU_ = TimingGroup(page_, "GBOurputUD", "Output Timing");
  gbM_ = TimingGroup(page_, "GBOurputM8", "Output Timing");
  groupG_ = BuildGroup(gbG_, gOut_, kModelG, 17);
  groupU_ = BuildGroup(gbU_, uOut_, kModelU, uOut_.size());
  groupM_ = BuildGroup(gbM_, mOut_, kModelM, mOut_.size());
  // Until the model is known the tool shows the FamilyG layout.
  gbU_->hide();
  gbU_->setEnabled(false);
  gbM_->hide();
  gbM_->setEnabled(false);

  QToolButton* cus = GOutbtnCus();
  cus->setCheckable(false);
  stCusRes_ = new QLabel(QStringLiteral("1920*1080"), gbG_);
  stCusRes_->setObjectName(QStringLiteral("STCusRes"));
  stCusRes_->setAccessibleName(QStringLiteral("Customised timing"));
  stCusRes_->setGeometry(cus->x() + kPitchX, cus->y(), 2 * kPitchX, kButtonHeight);

  const int right = 8 + kGroupWidth + 10;
  const int rightWidth = 770 - right - 12;
  rgHdcp_ = new TRadioGroup(QStringLiteral("HDCP Output     "), page_);
  rgHdcp_->setObjectName(QStringLiteral("RGHDCPOutput"));
  rgHdcp_->setAccessibleName(QStringLiteral("HDCP Output"));
  rgHdcp_->SetItems(
      {QStringLiteral("InputOnly"), QStringLiteral("Enable"), QStringLiteral("Disable")});
  rgHdcp_->SetItemIndex(0);
  rgHdcp_->setGeometry(right, 8, rightWidth, 96);

  cbDeepColor_ = new QCheckBox(QStringLiteral("Deep Color"), page_);
  cbDeepColor_->setObjectName(QStringLiteral("CBDeepColor"));
  cbDeepColor_->setGeometry(right + 8, 114, rightWidth - 8, 22);

  rb3dOutput_ = new TRadioGroup(QStringLiteral("3D Output Format"), page_);
  rb3dOutput_->setObjectName(QStringLiteral("RB3DOutput"));
  rb3dOutput_->setAccessibleName(QStringLiteral("3D Output Format"));
  rb3dOutput_->SetItems({QStringLiteral("Left Frame"), QStringLiteral("Right Frame"),
                         QStringLiteral("SBS"), QStringLiteral("T/B"),
                         QStringLiteral("Sequential")});
  rb3dOutput_->SetItemIndex(0);
  rb3dOutput_->setGeometry(right, 146, rightWidth, 140);

  QObject* context = &context_;
  QObject::connect(groupG_, &QButtonGroup::buttonClicked, context,
                   [this](QAbstractButton* b) { OutBtnClick(b); });
  QObject::connect(groupU_, &QButtonGroup::buttonClicked, context,
                   [this](QAbstractButton* b) { OutBtnClick(b); });
  QObject::connect(groupM_, &QButtonGroup::buttonClicked, context,
                   [this](QAbstractButton* b) { OutBtnClick(b); });
  // GOutbtnCus has its own handler, in or out of the group.
  QObject::connect(cus, &QToolButton::clicked, context, [this] { GOutbtnCusClick(); });
  QObject::connect(rgHdcp_, &TRadioGroup::Click, context, [this] { RGHDCPOutputClick(); });
  QObject::connect(cbDeepColor_, &QCheckBox::toggled, context, [this] { CBDeepColorClick(); });
  QObject::connect(rb3dOutput_, &TRadioGroup::Click, context, [this] { RB3DOutputClick(); });
}

template <std::size_t N>
QButtonGroup* OutputPage::BuildGroup(QGroupBox* box, std::array<QToolButton*, N>& table,
                                     uint8_t modelByte, std::size_t grouped) {
  auto* group = new QButtonGroup(box);
  group->setExclusive(true);
  const auto rows = TimingRowsFor(modelByte);
  for (std::size_t i = 0; i < N && i < rows.size(); ++i) {
    auto* b = new QToolButton(box);
    b->setObjectName(QString::fromLatin1(rows[i].button));
    b->setText(QString::fromLatin1(rows[i].caption));
    b->setProperty("Tag", rows[i].tag);
    b->setCheckable(true);
    const int col = static_cast<int>(i) % kColumns;
    const int row = static_cast<int>(i) / kColumns;
    b->setGeometry(12 + col * kPitchX, 24 + row * kPitchY, kButtonWidth, kButtonHeight);
    if (i < grouped) group->addButton(b, static_cast<int>(i));
    table[i] = b;
  }
  table[0]->setChecked(true);
  return group;
}

uint8_t* OutputPage::Setup() {
  BoxSession& s = form_.Session();
  return s.Image.WindowSetup.Entry(s.SelectedWindow);
}

bool OutputPage::CustomInGroup() const {
  return groupG_->buttons().contains(GOutbtnCus());
}

void OutputPage::CustomJoinsGroup() {
  QToolButton* cus = GOutbtnCus();
  cus->setCheckable(true);
  if (!CustomInGroup()) groupG_->addButton(cus, static_cast<int>(kCustomTag));
  cus->setChecked(true);
}

void OutputPage::CustomLeavesGroup() {
  QToolButton* cus = GOutbtnCus();
  if (CustomInGroup()) groupG_->removeButton(cus);
  cus->setChecked(false);
  cus->setCheckable(false);
}

void OutputPage::ShowCustomTiming() {
  const uint8_t* e = Setup();
  stCusRes_->setText(QString::fromStdString(CustomTimingText(Get(e, WindowSetupField::CusWidth),
                                                             Get(e, WindowSetupField::CusHeight),
                                                             Get(e, WindowSetupField::CusRate))));
}

void OutputPage::Show() {
  form_.TabRefresh([this] { RefreshOutputTab(); },
                   FamilyOf(form_.Session().ModelByte) == Family::U);
}

void OutputPage::ConfigureForModel() {
  const uint8_t model = form_.Session().ModelByte;
  const Family family = FamilyOf(model);
  auto showGroup = [](QWidget* w, bool on) {
    w->setEnabled(on);
    w->setVisible(on);
  };
  showGroup(gbU_, family == Family::U);
  showGroup(gbM_, family == Family::M);
  showGroup(gbG_, family == Family::G);
  showGroup(rb3dOutput_, family != Family::M);
  if (family == Family::G) {
    gOut_[16]->setText(QString::fromStdString(TimingCaption(model, 16)));
    if (TCusOutput* dialog = form_.CusOutput()) dialog->SBCusWidth()->setMaximum(7680);
  }
}

void OutputPage::RefreshOutputTab() {
  const uint8_t model = form_.Session().ModelByte;
  const uint8_t* e = Setup();
  const unsigned j = FindTimingButton(model, Get(e, WindowSetupField::TimingCode));
  switch (FamilyOf(model)) {
    case Family::U:
      uOut_[j]->setChecked(true);
      break;
    case Family::M:
      mOut_[j]->setChecked(true);
      break;
    case Family::G:
      if (j == kCustomTag) {
        CustomJoinsGroup();
      } else {
        gOut_[j]->setChecked(true);
        CustomLeavesGroup();
      }
      ShowCustomTiming();
      break;
  }
  rb3dOutput_->SetItemIndex(Get(e, WindowSetupField::Output3D));
  rgHdcp_->SetItemIndex(Get(e, WindowSetupField::HdcpOutput));
  cbDeepColor_->setChecked(Get(e, WindowSetupField::DeepColour) != 0);
}

void OutputPage::OutBtnClick(QAbstractButton* button) {
  if (button == GOutbtnCus()) return;
  CustomLeavesGroup();
  const unsigned tag = button->property("Tag").toUInt();
  const std::optional<uint8_t> code = TimingCodeOfTag(form_.Session().ModelByte, tag);
  // A timing without a known code leaves the stored one; the status check
  // then finds the box's new code different and reads it back.
  if (code) Set(Setup(), WindowSetupField::TimingCode, *code);
  form_.Sender().SendBoxCommand(EncodedCommand(Tpl::OPM, static_cast<int32_t>(tag)));
}

void OutputPage::GOutbtnCusClick() {
  TCusOutput* dialog = form_.CusOutput();
  if (!dialog) return;
  // The window the values came from is the one they go back to, whatever a
  // reply handled meanwhile did to the selection.
  BoxSession& s = form_.Session();
  uint8_t* e = s.Image.WindowSetup.Entry(s.SelectedWindow);
  dialog->SetFields(Get(e, WindowSetupField::CusWidth), Get(e, WindowSetupField::CusHeight),
                    Get(e, WindowSetupField::CusRate));
  const bool apply = dialog->ShowModalCentred() == QDialog::Accepted;

  Set(e, WindowSetupField::CusWidth, static_cast<uint16_t>(dialog->CusWidth()));
  Set(e, WindowSetupField::CusHeight, static_cast<uint16_t>(dialog->CusHeight()));
  Set(e, WindowSetupField::CusRate, dialog->CusRate());
  stCusRes_->setText(QString::fromStdString(CustomTimingText(
      dialog->CusWidth() & 0xFFFF, dialog->CusHeight() & 0xFFFF, dialog->CusRate())));
  if (!apply) return;
  CustomJoinsGroup();
  Set(e, WindowSetupField::TimingCode, kCustomTimingCode);
  form_.Sender().SendBoxCommand(EncodedCommand(Tpl::OPM, kCustomTag));
}

void OutputPage::RGHDCPOutputClick() {
  const int index = rgHdcp_->ItemIndex();
  if (index < 0) return;  // a stored index the list does not have: no choice shown
  Set(Setup(), WindowSetupField::HdcpOutput, static_cast<uint8_t>(index));
  form_.Sender().SendBoxCommand(LastDigitCommand(Tpl::HDO, index));
}

void OutputPage::CBDeepColorClick() {
  const bool on = cbDeepColor_->isChecked();
  Set(Setup(), WindowSetupField::DeepColour, on ? 1 : 0);
  form_.Sender().SendBoxCommand(LastDigitCommand(Tpl::DCM, on ? 1 : 0));
}

void OutputPage::RB3DOutputClick() {
  const int index = rb3dOutput_->ItemIndex();
  if (index < 0) return;
  BoxSession& s = form_.Session();
  Set(Setup(), WindowSetupField::Output3D, static_cast<uint8_t>(index));
  if (s.Has(LinkFlag::RefreshGuard)) return;
  s.ConversationStep = kWallRereadStep;
  form_.Sender().SendBoxCommand(LastDigitCommand(Tpl::_3DO, index));
  if (!s.Connected()) return;
  form_.SetBusy(true);
  form_.Pauses().Pause(k3DOutputPauseMs);
}

}  // namespace lumera
