#include "app/main_form.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <cstring>

#include "app/connection_controller.h"
#include "app/ip_address_edit.h"
#include "app/message_boxes.h"
#include "app/radio_group.h"
#include "app/scroll_bar.h"
#include "app/startup_rules.h"
#include "conversation/conversation_chains.h"
#include "conversation/info_page.h"
#include "conversation/input_names.h"
#include "conversation/model_family.h"
#include "conversation/reply_watchdog.h"
#include "dialogs/wait_form.h"
#include "pages/about_page.h"
#include "pages/cus_output_dialog.h"
#include "pages/output_page.h"
#include "pages/overlay_tab_page.h"
#include "pages/picture_page.h"
#include "pages/window_selection.h"

namespace lumera {

namespace {

struct PageSpec {
  const char* name;
  const char* caption;
};
constexpr PageSpec kPages[kPageCount] = {
    {"TabPicture", "Picture"}, {"TabVideoWall", "Video Wall"},
    {"TCPIP", "PIP Setting"},  {"TabPIP", "Sub Win Setting"},
    {"TabOutput", "Output"},   {"TABWarpAdjust", "Warp Adjust"},
    {"TabBlend1", "Blend 1"},  {"TabBlend2", "Blend 2"},
    {"TABEDID", "EDID"},       {"TabSystem", "System"},
    {"TBInfo", "Information"}, {"TabFirmware", "Firmware Update"},
    {"TabAbout", "About"},
};

constexpr const char* kOverlapEdits[] = {"EditOle", "EditOre", "EditOte", "EditObe",
                                         "PIPOLE",  "PIPORE",  "PIPOTE",  "PIPOBE"};

template <typename W>
W* Named(W* w, const char* name) {
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

}  // namespace

QEvent::Type IspHintEvent::EventType() {
  static const int type = QEvent::registerEventType(QEvent::User + 0x047B);
  return static_cast<QEvent::Type>(type);
}

TMainForm::TMainForm(const std::vector<std::string>& args, MessageBoxes& messages, Pauser& pauser,
                     QWidget* parent)
    : QWidget(parent),
      sender_(session_),
      engine_(session_),
      builders_(session_, sender_, [this] { return LinkTypeByte(); }),
      messages_(messages),
      pauser_(pauser) {
  setObjectName(QStringLiteral("MainForm"));
  sender_.SetObserver(this);
  tmrStatus_ = new QTimer(this);
  tmrStatus_->setObjectName(QStringLiteral("TmrStatus"));
  tmrStatus_->setInterval(3000);
  connect(tmrStatus_, &QTimer::timeout, this, &TMainForm::TmrStatusTimer);
  FormCreate(args);
  cusOutput_ = new TCusOutput(*this);
  waitForm_ = std::make_unique<TWaitForm>(*this);
  WireEngine();
  connection_ = std::make_unique<ConnectionController>(*this);
  SetDisconnectHandler([this] {
    if (session_.Connected()) connection_->LinkBtnClick();
  });
  connection_->Start();
}

TMainForm::~TMainForm() {
  if (busy_) QApplication::restoreOverrideCursor();
}

void TMainForm::FormCreate(const std::vector<std::string>& args) {
  setWindowTitle(QString::fromStdString(VersionCaption(__DATE__)));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  BuildShell();
  FormResize();

  const DiagnosticSwitches sw = ParseDiagnosticSwitches(args);
  if (sw.showReadouts) ShowDiagnostics();
  if (sw.showDebug) {
    gbDebug_->setEnabled(true);
    gbDebug_->show();
  }

  CreateIpEntries();

  ResetAllWindows();

  pcMain_->setTabEnabled(kPageAbout, false);
  pcMain_->setTabVisible(kPageAbout, false);
  ApplyOverlapHints();

  pcMain_->setCurrentIndex(kPagePicture);
  connect(pcMain_, &QTabWidget::currentChanged, this, [this] { RunVisiblePageShow(); });
  // The visible page starts out showing the start-up image.
  RunVisiblePageShow();
  for (int i = 1; i < 4; ++i) WindowButton(i)->setEnabled(true);
  btnFrame_->resize(btnFrame_->width(), WindowButton(3)->geometry().bottom() + 1 + 8);

  if (auto* orientation = findChild<TRadioGroup*>(QStringLiteral("RGPIPOrientation"))) {
    orientation->SetItemEnabled(1, false);
    orientation->SetItemEnabled(2, false);
  }
}

void TMainForm::BuildShell() {
  QFont f = font();
  f.setPointSize(8);
  setFont(f);

  BuildConnectGroup();
  BuildSettingFileGroup();
  BuildWindowSelector();
  BuildPages();
  AddPages();

  stStatus_ = Named(new QLabel(QStringLiteral("0"), this), "STStatus");
  stStatus_->setGeometry(792, 6, 60, 16);
  stStatus_->setAccessibleName(QStringLiteral("Link flags"));
  stStatus_->hide();
  stFlag_ = Named(new QLabel(QStringLiteral("0"), this), "STFlag");
  stFlag_->setGeometry(792, 26, 60, 16);
  stFlag_->setAccessibleName(QStringLiteral("Conversation step"));
  stFlag_->hide();

  // Below the visible area at the fixed height, as the log always was.
  tntMemo1_ = Named(new QPlainTextEdit(this), "TntMemo1");
  tntMemo1_->setGeometry(4, kHeight + 10, 770, 120);
  tntMemo1_->setEnabled(false);
  tntMemo1_->setAccessibleName(QStringLiteral("Log"));
}

void TMainForm::BuildConnectGroup() {
  grop1_ = Named(new QGroupBox(QStringLiteral("Connect To"), this), "Grop1");
  grop1_->setGeometry(4, 2, 560, 54);
  rbTcp_ = Named(new QRadioButton(QStringLiteral("IP Address"), grop1_), "RBTCP");
  rbTcp_->setGeometry(10, 24, 84, 20);
  rbUsb_ = Named(new QRadioButton(QStringLiteral("USB"), grop1_), "RBUSB");
  rbUsb_->setGeometry(346, 24, 56, 20);
  rbUsb_->setChecked(true);
  linkBtn_ = Named(new QPushButton(QStringLiteral("Connect"), grop1_), "LinkBtn");
  linkBtn_->setGeometry(420, 18, 128, 28);
  linkBtn_->setEnabled(false);
}

void TMainForm::BuildSettingFileGroup() {
  slGroup_ = Named(new QGroupBox(QStringLiteral("Setting File"), this), "SLGroup");
  slGroup_->setGeometry(570, 2, 210, 54);
  auto* save = Named(new QPushButton(QStringLiteral("Save Setting"), slGroup_), "BtnSaveSetting");
  save->setGeometry(8, 18, 94, 28);
  auto* load = Named(new QPushButton(QStringLiteral("Load Setting"), slGroup_), "BtnLoadSetting");
  load->setGeometry(108, 18, 94, 28);
}

void TMainForm::BuildWindowSelector() {
  btnFrame_ = Named(new QGroupBox(this), "BtnFrame");
  btnFrame_->setGeometry(786, 58, 68, 300);
  btnFrame_->setAccessibleName(QStringLiteral("Window selector"));
  auto* in = new QLabel(QStringLiteral("In"), btnFrame_);
  in->setGeometry(8, 4, 24, 14);
  auto* out = new QLabel(QStringLiteral("Out"), btnFrame_);
  out->setGeometry(38, 4, 24, 14);
  for (int i = 0; i < 4; ++i) {
    auto makePanel = [this](const QString& name, const QString& label, int x, int y) {
      auto* p = new QFrame(btnFrame_);
      p->setObjectName(name);
      p->setFrameShape(QFrame::Panel);
      p->setFrameShadow(QFrame::Sunken);
      p->setAutoFillBackground(true);
      p->setGeometry(x, y, 22, 14);
      p->setAccessibleName(label);
      p->setToolTip(label);
      return p;
    };
    inputPanels_[static_cast<std::size_t>(i)] =
        makePanel(QStringLiteral("PnlIpt%1").arg(i + 1),
                  QStringLiteral("Input %1 signal").arg(i + 1), 8, 20 + 18 * i);
    outputPanels_[static_cast<std::size_t>(i)] =
        makePanel(QStringLiteral("PnlOpt%1").arg(i + 1),
                  QStringLiteral("Output %1 active").arg(i + 1), 38, 20 + 18 * i);
  }
  winGroup_ = new QButtonGroup(this);
  winGroup_->setExclusive(true);
  for (int i = 0; i < 4; ++i) {
    auto* b = new QToolButton(btnFrame_);
    b->setObjectName(QStringLiteral("BtnWin%1").arg(i + 1));
    b->setText(QString::number(i + 1));
    b->setCheckable(true);
    b->setProperty("Tag", i);
    b->setGeometry(8, 100 + 46 * i, 52, 40);
    b->setAccessibleName(QStringLiteral("Window %1").arg(i + 1));
    QFont bf = b->font();
    bf.setPointSize(12);
    bf.setBold(true);
    b->setFont(bf);
    winGroup_->addButton(b, i);
    winButtons_[static_cast<std::size_t>(i)] = b;
  }
  winButtons_[0]->setChecked(true);
}

void TMainForm::BuildPages() {
  gbLum_ = Named(new QGroupBox(this), "GBLum");
  gbLum_->setGeometry(4, 58, 778, 538);
  pcMain_ = Named(new QTabWidget(gbLum_), "PCMain");
  pcMain_->setGeometry(2, 2, 774, 532);
  pcMain_->setUsesScrollButtons(false);
  // Twelve captions share one row of the fixed-width window.
  pcMain_->setStyleSheet(QStringLiteral(
      "QTabBar::tab { padding: 4px 3px; border: 1px solid #a0a0a0; border-bottom: none; }"
      "QTabBar::tab:selected { background: palette(base); }"
      "QTabBar::tab:!selected { background: #dcdcdc; margin-top: 2px; }"));
  for (int i = 0; i < kPageCount; ++i) {
    auto* page = new QWidget();
    page->setObjectName(QString::fromLatin1(kPages[i].name));
    page->setAccessibleName(QString::fromLatin1(kPages[i].caption));
    pcMain_->addTab(page, QString::fromLatin1(kPages[i].caption));
    pages_[static_cast<std::size_t>(i)] = page;
  }

  // The Ethernet entries need their anchor labels; the System page and the
  // second-family panel own them.
  auto* system = PageWidget(kPageSystem);
  auto* microcode = Named(new QGroupBox(QStringLiteral("Microcode"), system), "GroupBox1");
  microcode->setGeometry(380, 196, 320, 76);
  auto* mainVer = Named(new QLabel(microcode), "STMainVer");
  mainVer->setGeometry(12, 22, 296, 18);
  mainVer->setAccessibleName(QStringLiteral("Main version"));
  auto* mcuVer = Named(new QLabel(microcode), "STMCUVer");
  mcuVer->setGeometry(12, 46, 296, 18);
  mcuVer->setAccessibleName(QStringLiteral("MCU version"));
  BuildNetworkGroup(system, "GBNet", "", "RBDHCP", "RBSTATICIP", "BtnSetNet");

  k712Control_ = Named(new QWidget(this), "K712Control");
  k712Control_->setGeometry(gbLum_->geometry());
  k712Control_->hide();
  BuildNetworkGroup(k712Control_, "GBNET2", "2", "RBDHCP1", "RBSTATICIP1", "BSetNet1");

  auto* firmware = PageWidget(kPageFirmware);
  auto* gbFirmware = Named(new QGroupBox(firmware), "GBFirmware");
  gbFirmware->setGeometry(8, 6, 540, 230);
  gbFirmware->setAccessibleName(QStringLiteral("Firmware"));
  gbDebug_ = Named(new QGroupBox(QStringLiteral("Debug"), firmware), "GBDebug");
  gbDebug_->setGeometry(560, 10, 190, 150);
  for (int i = 0; i < 4; ++i) {
    auto* ch = new QLabel(QStringLiteral("FF-FF-FF"), gbDebug_);
    ch->setObjectName(QStringLiteral("STCh%1").arg(i + 1));
    ch->setAccessibleName(QStringLiteral("Channel %1 code").arg(i + 1));
    ch->setGeometry(12, 20 + 22 * i, 100, 16);
  }
  auto* check = Named(new QCheckBox(QStringLiteral("Check Only"), gbDebug_), "CBCheck");
  check->setGeometry(12, 112, 120, 20);
  check->setChecked(true);
  check->setAttribute(Qt::WA_TransparentForMouseEvents);
  check->setFocusPolicy(Qt::NoFocus);
  gbDebug_->setEnabled(false);
  gbDebug_->hide();
}

void TMainForm::AddPages() {
  windowSelection_ = new WindowSelection(*this);
  auto about = std::make_unique<AboutPage>(*this);
  AboutPage& aboutPage = *about;
  AddPage(kPagePicture, std::make_unique<PicturePage>(*this, aboutPage));
  AddPage(kPageAbout, std::move(about));
  AddPage(kPageOutput, std::make_unique<OutputPage>(*this));
  AddPage(kPageInformation, std::make_unique<InfoPage>(*this));
  for (int page : {kPageVideoWall, kPagePipSetting, kPageSubWin, kPageEdid})
    AddPage(page, std::make_unique<OverlayTabPage>(*this, true));
}

// "Ethernet Config" with its labels and choices; the address entries are
// created beside the labels at start-up.
void TMainForm::BuildNetworkGroup(QWidget* parent, const char* name, const char* suffix,
                                  const char* dhcp, const char* staticIp, const char* update) {
  auto* group = Named(new QGroupBox(QStringLiteral("Ethernet Config"), parent), name);
  group->setGeometry(380, 10, 320, 176);
  const char* labels[3][2] = {
      {"LBIP", "IP : "}, {"LBMask", "SubNet Mask :"}, {"LBGateway", "GateWay : "}};
  for (int i = 0; i < 3; ++i) {
    auto* l = new QLabel(QString::fromLatin1(labels[i][1]), group);
    l->setObjectName(QString::fromLatin1(labels[i][0]) + QString::fromLatin1(suffix));
    l->setGeometry(12, 58 + 32 * i, 90, 16);
  }
  auto* rbDhcp = Named(new QRadioButton(QStringLiteral("DHCP"), group), dhcp);
  rbDhcp->setGeometry(12, 24, 70, 20);
  rbDhcp->setChecked(true);
  Named(new QRadioButton(QStringLiteral("Static IP"), group), staticIp)
      ->setGeometry(92, 24, 90, 20);
  Named(new QPushButton(QStringLiteral("Update"), group), update)->setGeometry(228, 20, 80, 26);
}

void TMainForm::CreateIpEntries() {
  struct EntrySpec {
    const char* name;
    QWidget* anchor;
    int width;
    const char* text;
    const char* label;
  };
  auto find = [this](const char* name) { return findChild<QWidget*>(QString::fromLatin1(name)); };
  const EntrySpec specs[7] = {
      {"IPEdit", rbTcp_, 220, "192.168.0.100", "Box IP address"},
      {"IPEditNet", find("LBIP"), 180, "192.168.0.100", "IP"},
      {"MaskEditNet", find("LBMask"), 180, "255.255.255.0", "SubNet Mask"},
      {"GatewayEditNet", find("LBGateway"), 180, "192.168.0.1", "GateWay"},
      {"IPEditNet2", find("LBIP2"), 180, "192.168.0.100", "IP"},
      {"MaskEditNet2", find("LBMask2"), 180, "255.255.255.0", "SubNet Mask"},
      {"GatewayEditNet2", find("LBGateway2"), 180, "192.168.0.1", "GateWay"},
  };
  for (std::size_t i = 0; i < 7; ++i) {
    const EntrySpec& s = specs[i];
    auto* e = new TIpAddressEdit(s.anchor->parentWidget());
    e->setObjectName(QString::fromLatin1(s.name));
    e->setGeometry(s.anchor->x() + s.anchor->width() + 4, s.anchor->y() - 4, s.width, 24);
    e->SetText(QString::fromLatin1(s.text));
    e->SetAccessibleLabel(QString::fromLatin1(s.label));
    e->show();
    ipEntries_[i] = e;
  }
  ipEntries_[0]->setEnabled(false);
}

void TMainForm::ResetAllWindows() {
  for (unsigned w = 0; w < kWindows; ++w) ResetWindowDefaults(session_.Image, session_.Tools, w);
  ApplyStatusReply();
  session_.ClearStatusMasks();
  session_.SelectedWindow = 0;
}

void TMainForm::ApplyOverlapHints() {
  const QString hint = QStringLiteral(
      "Press up/down  key to adjust value ,enter to apply the setting.\r"
      "Doblue click to reset value.");
  for (const char* name : kOverlapEdits)
    if (auto* edit = findChild<QLineEdit*>(QString::fromLatin1(name))) edit->setToolTip(hint);
}

QSize TMainForm::FixedSize() const {
  const int width = session_.LinkMode == LinkMode::SecondFamily ? btnFrame_->x() + 2 : kWidth;
  return {width, kHeight};
}

void TMainForm::FormResize() {
  if (resizing_) return;
  resizing_ = true;
  setFixedSize(FixedSize());
  resizing_ = false;
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (size() != FixedSize()) FormResize();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  connection_->FormClose();
  event->accept();
}

void TMainForm::customEvent(QEvent* event) {
  if (event->type() == IspHintEvent::EventType()) {
    ShowIspHint(static_cast<IspHintEvent*>(event)->Argument());
    return;
  }
  QWidget::customEvent(event);
}

void TMainForm::ShowIspHint(int argument) {
  if (argument != 17) return;
  messages_.Info(QStringLiteral(
      "Please use ISP mode (hold reset key and turn on power ) to update firmware first !"));
}

void TMainForm::ShowWaitDialog(int intervalMs) {
  waitForm_->ShowWaitDialog(intervalMs);
}

void TMainForm::CloseWaitDialog() {
  waitForm_->CloseWaitDialog();
}

void TMainForm::AppendLog(const QString& line) {
  tntMemo1_->appendPlainText(line);
}

void TMainForm::SetBusy(bool busy) {
  if (busy && !busy_) QApplication::setOverrideCursor(Qt::WaitCursor);
  if (!busy && busy_) QApplication::restoreOverrideCursor();
  busy_ = busy;
  setEnabled(!busy);
}

void TMainForm::SetPanelColour(QFrame* panel, unsigned rgb) {
  QPalette pal = panel->palette();
  pal.setColor(QPalette::Window, QColor::fromRgb(rgb));
  panel->setPalette(pal);
  panel->setProperty("PanelColour", rgb);
}

unsigned TMainForm::PanelColour(const QFrame* panel) {
  return panel->property("PanelColour").toUInt();
}

void TMainForm::ShowDiagnostics() {
  stStatus_->show();
  stFlag_->show();
}

void TMainForm::ShowStepReadouts() {
  stFlag_->setText(QString::number(session_.ConversationStep));
  stStatus_->setText(
      QStringLiteral("%1").arg(session_.LinkFlags & 0xFFFF, 4, 16, QLatin1Char('0')).toUpper());
}

void TMainForm::DispatchReply(const uint8_t* data, std::size_t size, bool withReportId) {
  ClearBuffer(session_.RxBuffer);
  const std::size_t offset = withReportId ? 0 : 1;
  const std::size_t room = kFrameBufferSize - offset;
  std::memcpy(session_.RxBuffer.data() + offset, data, size < room ? size : room);
  switch (session_.LinkMode) {
    case LinkMode::Normal:
      engine_.HandleReply();
      break;
    case LinkMode::FirmwareLoader:
      if (loaderHandler_) loaderHandler_();
      break;
    case LinkMode::SecondFamily:
      if (secondFamilyHandler_) secondFamilyHandler_();
      break;
    default:
      break;
  }
  if (connection_) connection_->SyncReaderMode();
  if (watchdog_) watchdog_->ReplyHandled();
}

bool TMainForm::TcpChosen() const {
  return rbTcp_->isChecked();
}

uint8_t TMainForm::LinkTypeByte() const {
  return rbUsb_->isEnabled() ? LinkType::Usb : LinkType::Tcp;
}

void TMainForm::TmrStatusTimer() {
  if (!session_.Connected() || session_.ConversationStep != 0) return;
  tmrStatus_->setInterval(3000);
  tmrStatus_->stop();
  session_.Set(LinkFlag::StatusOutstanding);
  sender_.SendRequest(FrameCode::ReadStatus);
}

void TMainForm::AddPage(int index, std::unique_ptr<Page> page) {
  if (index >= 0 && index < kPageCount) pageHandlers_[static_cast<std::size_t>(index)] = page.get();
  ownedPages_.push_back(std::move(page));
}

bool TMainForm::RunVisiblePageShow() {
  Page* page = PageHandler(pcMain_->currentIndex());
  if (!page) return false;
  page->Show();
  return true;
}

void TMainForm::TabRefresh(const std::function<void()>& load, bool overlaysForThisModel) {
  session_.Set(LinkFlag::RefreshGuard);
  load();
  session_.Clear(LinkFlag::RefreshGuard);
  if (!session_.Connected()) return;
  if (overlaysForThisModel) {
    session_.ConversationStep = 2020;
    builders_.SendPattern(0);
  } else {
    session_.ConversationStep = 0;
  }
}

void TMainForm::SendDroppedLinkDown() {
  SetBusy(false);
}

void TMainForm::FrameSent(uint32_t step) {
  stFlag_->setText(QString::number(step));
  if (watchdog_) watchdog_->FrameSent(step);
}

}  // namespace lumera
