// The main window's side of the conversation: engine wiring, identification,
// the per-model set-up, status panels and window buttons.
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "app/ip_address_edit.h"
#include "app/main_form.h"
#include "app/radio_group.h"
#include "conversation/conversation_chains.h"
#include "conversation/input_names.h"
#include "conversation/model_family.h"
#include "conversation/pauser.h"
#include "conversation/reply_watchdog.h"
#include "conversation/status_evaluation.h"
#include "conversation/system_info.h"
#include "dialogs/wait_form.h"

namespace lumera {

void TMainForm::WireEngine() {
  ConversationEngine::Hooks hooks;
  hooks.applyStatusReply = [this] { ApplyStatusReply(); };
  hooks.statusReplyHandled = [this] { tmrStatus_->start(); };
  hooks.waitDialogProgress = [this] { waitForm_->Advance(); };
  hooks.pause = [this](uint32_t ms) { pauser_.Pause(ms); };
  hooks.readoutsChanged = [this] { ShowStepReadouts(); };
  engine_.SetHooks(std::move(hooks));
  chains_ = std::make_unique<ConversationChains>(*this);
  watchdog_ = std::make_unique<ReplyWatchdog>(*this);
}

void TMainForm::SetInputNames() {
  const InputNames names = InputNamesFor(session_.ModelByte, session_.SelectedWindow);
  auto apply = [this](const char* name, int columns, const std::vector<std::string>& items) {
    auto* group = findChild<TRadioGroup*>(QString::fromLatin1(name));
    if (!group) return;
    QStringList list;
    for (const std::string& item : items) list << QString::fromStdString(item);
    group->SetColumns(columns);
    group->SetItems(list);
  };
  apply("RGInput", names.inputColumns, names.inputItems);
  apply("RGPIPSrc", names.pipColumns, names.pipItems);
  if (FamilyOf(session_.ModelByte) == Family::U) {
    if (auto* width = findChild<QScrollBar*>(QStringLiteral("SBCusWidth"))) width->setMaximum(4096);
  }
}

void TMainForm::ConfigureForModel() {
  SetInputNames();
  const Family family = FamilyOf(session_.ModelByte);
  auto showGroup = [this](const char* name, bool on) {
    if (auto* w = findChild<QWidget*>(QString::fromLatin1(name))) {
      w->setEnabled(on);
      w->setVisible(on);
    }
  };
  auto showPage = [this](int index, bool on) {
    if (pcMain_->isTabEnabled(index) != on) pcMain_->setTabEnabled(index, on);
    if (pcMain_->isTabVisible(index) != on) pcMain_->setTabVisible(index, on);
  };
  if (family == Family::G) {
    for (int page : {kPageWarpAdjust, kPageBlend1, kPageBlend2}) showPage(page, false);
  } else {
    showPage(kPageWarpAdjust, true);
    showPage(kPageBlend2, true);
    const bool noBlend1 = IsVariantWithoutBlend1(session_.Image);
    showPage(kPageBlend1, !noBlend1);
    showGroup("GBCorner", !noBlend1);
    showGroup("GBOffset", !noBlend1);
    auto caption = [this](int index, const QString& text) {
      if (pcMain_->tabText(index) != text) pcMain_->setTabText(index, text);
    };
    caption(kPageWarpAdjust,
            noBlend1 ? QStringLiteral("Warp Adjust 1") : QStringLiteral("Warp Adjust"));
    caption(kPageBlend2, noBlend1 ? QStringLiteral("Warp Adjust 2") : QStringLiteral("Blend 2"));
    if (noBlend1) session_.Set(LinkFlag::NoBlend1);
  }
  for (const std::unique_ptr<Page>& page : ownedPages_) page->ConfigureForModel();
}

void TMainForm::LayoutForSecondFamily(bool secondFamily) {
  // Every accepted identification runs this; moving widgets that are already
  // in place would only cost a relayout.
  if (secondFamily == k712Control_->isVisibleTo(this)) return;
  auto* firmware = findChild<QGroupBox*>(QStringLiteral("GBFirmware"));
  auto* net2 = findChild<QGroupBox*>(QStringLiteral("GBNET2"));
  if (secondFamily) {
    if (firmware && net2) {
      firmware->setParent(k712Control_);
      firmware->move(net2->x(), net2->y() + net2->height() + 2);
      firmware->show();
    }
    btnFrame_->hide();
    gbLum_->hide();
    k712Control_->move(gbLum_->pos());
    k712Control_->show();
  } else {
    if (firmware) {
      firmware->setParent(PageWidget(kPageFirmware));
      firmware->move(8, 6);
      firmware->show();
    }
    btnFrame_->show();
    gbLum_->show();
    k712Control_->hide();
  }
  FormResize();
}

void TMainForm::ShowVersions() {
  const SettingsImage& im = session_.Image;
  if (auto* l = findChild<QLabel*>(QStringLiteral("STMainVer")))
    l->setText(QString::fromStdString(VersionTextOf(im)));
  if (auto* l = findChild<QLabel*>(QStringLiteral("STMCUVer")))
    l->setText(QString::fromStdString(McuVersionText(im, session_.VersionNumber)));
}

void TMainForm::ShowNetworkInfo() {
  const uint8_t* net = session_.Image.NetworkInfo.Data();
  const bool dhcp = ReadU32(net) != 0;
  if (auto* rb =
          findChild<QRadioButton*>(dhcp ? QStringLiteral("RBDHCP") : QStringLiteral("RBSTATICIP")))
    rb->setChecked(true);
  for (int i = 0; i < 3; ++i) {
    const uint8_t* o = net + 4 + 4 * i;
    TIpAddressEdit* entry = ipEntries_[static_cast<std::size_t>(1 + i)];
    entry->SetText(QStringLiteral("%1.%2.%3.%4.").arg(o[0]).arg(o[1]).arg(o[2]).arg(o[3]));
    entry->setEnabled(!dhcp);
  }
}

void TMainForm::HideSettingPages() {
  pcMain_->hide();
  for (int i = kPagePicture; i <= kPageInformation; ++i) pcMain_->setTabVisible(i, false);
  pcMain_->show();
}

void TMainForm::ShowSettingPages() {
  for (int i : {kPagePicture, kPageVideoWall, kPagePipSetting, kPageSubWin, kPageOutput, kPageEdid,
                kPageSystem, kPageInformation})
    if (!pcMain_->isTabVisible(i)) pcMain_->setTabVisible(i, true);
}

void TMainForm::ApplyWindowCount() {
  RunVisiblePageShow();
  const int count = session_.WindowCount;
  if (count >= 1 && count <= 4) {
    for (int i = 1; i < 4; ++i) WindowButton(i)->setEnabled(i < count);
    const QToolButton* last = WindowButton(count - 1);
    btnFrame_->resize(btnFrame_->width(), last->geometry().bottom() + 1 + (count == 4 ? 8 : 6));
  }
  WindowButton(session_.SelectedWindow & 3)->setChecked(true);
}

void TMainForm::ApplyStatusReply() {
  const StatusEvaluation status = EvaluateStatus(session_);
  for (int i = 0; i < 4; ++i) {
    const auto k = static_cast<std::size_t>(i);
    SetPanelColour(InputPanel(i), status.inputPresent[k] ? kPanelInputColour : kPanelIdleColour);
    SetPanelColour(OutputPanel(i), status.outputActive[k] ? kPanelOutputColour : kPanelIdleColour);
  }
  if (status.changed) {
    ClearBuffer(session_.TxBuffer);
    session_.TxFrame().SetCode(FrameCode::ReadSystemInfo);
    session_.ConversationStep = 2038;
    sender_.SendFrame();
  } else if (session_.Has(LinkFlag::WaitShown)) {
    CloseWaitDialog();
  }
}

}  // namespace lumera
