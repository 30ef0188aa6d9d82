#include "app/connection_controller.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <QToolButton>

#include "app/ip_address_edit.h"
#include "app/main_form.h"
#include "app/message_boxes.h"
#include "conversation/model_family.h"
#include "link/frame_handover.h"
#include "link/hid_device_watcher.h"
#include "link/hidapi_backend.h"
#include "link/socket_thread.h"

namespace lumera {

namespace {

constexpr uint32_t kIdentifyStep = 990;
constexpr uint32_t kPatternsOffStep = 2025;
constexpr int kMaxAddressLength = 15;

// The product ids of the boxes and the link mode each one means.
bool ModeOfProduct(uint16_t productId, uint32_t* mode) {
  switch (productId) {
    case 0xF002:
    case 0xF003:
      *mode = LinkMode::Normal;
      return true;
    case 0xFE02:
      *mode = LinkMode::FirmwareLoader;
      return true;
    case 0xFE01:
      *mode = LinkMode::SecondLoader;
      return true;
    default:
      return false;
  }
}

}  // namespace

ConnectionController::ConnectionController(TMainForm& form)
    : form_(form), session_(form.Session()), backend_(std::make_unique<HidapiBackend>()) {
  tcpHandover_ = new FrameHandover(
      [this](const uint8_t* data, std::size_t size) {
        form_.DispatchReply(data, size, false);
        socketThread_->SetSecondFamily(session_.LinkMode == LinkMode::SecondFamily);
      },
      this);
  hidHandover_ = new FrameHandover(
      [this](const uint8_t* data, std::size_t size) {
        form_.DispatchReply(data, size, hid_.Lengths().numbered);
      },
      this);
  socketThread_ = std::make_unique<TSocketThread>(*tcpHandover_);

  watcher_ = new HidDeviceWatcher(this);
  connect(watcher_, &HidDeviceWatcher::DeviceChanged, this,
          &ConnectionController::HidCtlDeviceChange);
  connect(form_.RBUSB(), &QRadioButton::toggled, this, [this](bool on) {
    if (on) RBUSBClick();
  });
  connect(form_.RBTCP(), &QRadioButton::toggled, this, [this](bool on) {
    if (on) RBTCPClick();
  });
  connect(form_.LinkBtn(), &QPushButton::clicked, this, &ConnectionController::LinkBtnClick);
}

ConnectionController::~ConnectionController() {
  socketThread_->Suspend();
  tcp_.Close();
  hid_.Close();
  if (form_.Sender().CurrentTransport() == &tcp_ || form_.Sender().CurrentTransport() == &hid_)
    form_.Sender().SetTransport(nullptr);
}

void ConnectionController::Start() {
  if (form_.RBUSB()->isChecked()) RBUSBClick();
}

bool ConnectionController::SocketReaderRunning() const {
  return socketThread_->Reading();
}

void ConnectionController::SetReplyGapMs(int ms) {
  socketThread_->SetGapMs(ms);
}

QString ConnectionController::ConnectAddress() const {
  return form_.IpEntry(0)->Text().left(kMaxAddressLength);
}

void ConnectionController::RBUSBClick() {
  if (!usbLock_.TryAcquire()) {
    form_.Messages().Info(QStringLiteral("USB mode already used by another programe!! "));
    form_.RBTCP()->setChecked(true);
    form_.RBTCP()->setFocus();
    return;
  }
  form_.Sender().SetTransport(&hid_);
  form_.LinkBtn()->setEnabled(false);
  Enumerate();
  form_.IpEntry(0)->setEnabled(false);
}

void ConnectionController::RBTCPClick() {
  form_.IpEntry(0)->setEnabled(true);
  form_.LinkBtn()->setEnabled(true);
  usbLock_.Release();
  form_.Sender().SetTransport(&tcp_);
}

void ConnectionController::Enumerate() {
  for (const HidDeviceInfo& device : backend_->Enumerate())
    if (!HidCtlEnumerate(device)) break;
}

bool ConnectionController::HidCtlEnumerate(const HidDeviceInfo& device) {
  uint32_t mode = 0;
  if (device.vendorId != kBoxVendorId || !ModeOfProduct(device.productId, &mode)) return true;
  // A box plugged in while a TCP link is up must not take that link's
  // replies to another handler.
  if (!session_.Connected()) session_.LinkMode = mode;
  if (form_.RBUSB()->isChecked()) {
    form_.LinkBtn()->setEnabled(true);
    productId_ = device.productId;
  }
  return false;
}

void ConnectionController::HidCtlDeviceChange() {
  if (form_.RBUSB()->isChecked()) {
    form_.LinkBtn()->setEnabled(false);
    form_.LinkBtn()->setText(QStringLiteral("Connect"));
    ResetLinkUi();
    session_.Clear(LinkFlag::Connected);
    // The link is down now; its reader and device go with it, so that the
    // next connect starts from a closed device.
    CloseHidDevice();
  }
  Enumerate();
}

void ConnectionController::LinkBtnClick() {
  // A disconnect pumps events while it waits for the box; a second click, or
  // a reply handler that disconnects, must not start another one meanwhile.
  if (inLinkBtnClick_) return;
  QScopedValueRollback<bool> guard(inLinkBtnClick_, true);
  const bool up = session_.Connected();
  if (form_.RBTCP()->isChecked()) {
    if (up)
      DisconnectTcp();
    else
      ConnectTcp();
  } else {
    if (up)
      DisconnectUsb();
    else
      ConnectUsb();
  }
}

void ConnectionController::ConnectTcp() {
  form_.WindowButton(0)->setChecked(true);
  session_.LinkFlags = 0;
  // A TCP peer is a normal box or the second family, and its Identify reply
  // says which. A mode left over from a USB loader or a K712 session would
  // hand this box's replies to the wrong handler for good.
  session_.LinkMode = LinkMode::Normal;
  socketThread_->Suspend();
  tcp_.Close();
  const QString address = ConnectAddress();
  QPushButton* linkBtn = form_.LinkBtn();
  linkBtn->setText(QStringLiteral("Connecting"));
  // The connect blocks; the caption is painted at once only when it takes a
  // while.
  if (!tcp_.Connect(address.toStdString(), TcpPortFromEnvironment(), kConnectTimeoutMs,
                    [linkBtn] { linkBtn->repaint(); })) {
    form_.Messages().Error(QStringLiteral("Can't link to ") + address);
    linkBtn->setText(QStringLiteral("Connect"));
    return;
  }
  TcpClient1Connect();
  linkBtn->setText(QStringLiteral("Disconnect"));
  SetProgBtnEnabled(true);
  socketThread_->SetSecondFamily(session_.LinkMode == LinkMode::SecondFamily);
  socketThread_->Resume(tcp_.Fd());
}

void ConnectionController::SyncReaderMode() {
  socketThread_->SetSecondFamily(session_.LinkMode == LinkMode::SecondFamily);
}

void ConnectionController::TcpClient1Connect() {
  session_.Set(LinkFlag::Connected);
  form_.RBUSB()->setEnabled(false);
  session_.ConversationStep = kIdentifyStep;
  form_.Sender().SendRequest(FrameCode::Identify);
  form_.TmrStatus()->start();
}

void ConnectionController::DisconnectTcp() {
  BeforeDisconnect();
  ResetLinkUi();
  socketThread_->Suspend();
  tcp_.Close();
  form_.LinkBtn()->setText(QStringLiteral("Connect"));
  SetProgBtnEnabled(false);
  form_.RBUSB()->setEnabled(true);
  session_.Clear(LinkFlag::Connected);
}

void ConnectionController::ConnectUsb() {
  form_.WindowButton(0)->setChecked(true);
  session_.LinkFlags = 0;
  QString error;
  if (!hid_.CheckOut(*backend_, kBoxVendorId, productId_, &error)) {
    form_.Messages().Error(error);
    form_.LinkBtn()->setText(QStringLiteral("Connect"));
    return;
  }
  form_.LinkBtn()->setText(QStringLiteral("Disconnect"));
  session_.Set(LinkFlag::Connected);
  hid_.StartReader(*hidHandover_);
  ClearBuffer(session_.TxBuffer);
  // The loaders are driven by the firmware page alone.
  if (session_.LinkMode == LinkMode::Normal || session_.LinkMode == LinkMode::SecondFamily) {
    session_.ConversationStep = kIdentifyStep;
    form_.Sender().SendRequest(FrameCode::Identify);
    if (session_.LinkMode == LinkMode::Normal) form_.TmrStatus()->start();
  }
  SetProgBtnEnabled(true);
  form_.RBTCP()->setEnabled(false);
}

void ConnectionController::DisconnectUsb() {
  BeforeDisconnect();
  ResetLinkUi();
  CloseHidDevice();
}

void ConnectionController::CloseHidDevice() {
  hid_.Close();
}

void ConnectionController::BeforeDisconnect() {
  if (session_.Has(LinkFlag::Restarting)) return;
  if (HasWarpPages(session_.ModelByte)) {
    WaitWhile([this] { return session_.Has(LinkFlag::StatusOutstanding); });
    session_.SelectedWindow = 0;
    session_.ConversationStep = kPatternsOffStep;
    form_.Builders().SendSelectWindow(0);
    // A box that has gone leaves the chain where it is; the link is closed
    // next, so the chain is over either way.
    if (!WaitWhile([this] { return session_.ConversationStep != 0; }))
      session_.ConversationStep = 0;
  }
  if (session_.Has(LinkFlag::NetworkPending)) SendPendingNetwork();
}

void ConnectionController::SendPendingNetwork() {
  const bool dhcp = DhcpChosen();
  // The frame is built afresh: what the last exchange left in the buffer is
  // no address of the box.
  ClearBuffer(session_.TxBuffer);
  FrameRef tx = session_.TxFrame();
  tx.SetCode(FrameCode::SetNetwork);
  tx.SetU8(8, dhcp ? 1 : 0);
  if (!dhcp) tx.CopyIn(9, session_.PendingNetwork.data(), session_.PendingNetwork.size());
  form_.Sender().SendFrame();
}

bool ConnectionController::DhcpChosen() const {
  // Each panel has its own DHCP / Static IP pair; the one of the box at hand
  // decides.
  const QString name = session_.LinkMode == LinkMode::SecondFamily ? QStringLiteral("RBDHCP1")
                                                                   : QStringLiteral("RBDHCP");
  const auto* dhcp = form_.findChild<QRadioButton*>(name);
  return dhcp ? dhcp->isChecked() : true;
}

void ConnectionController::ResetLinkUi() {
  form_.RBUSB()->setEnabled(true);
  form_.RBTCP()->setEnabled(true);
  SetProgBtnEnabled(false);
  if (auto* prog = form_.findChild<QPushButton*>(QStringLiteral("ProgBtn")))
    prog->setText(QStringLiteral("Start"));
  session_.Clear(LinkFlag::Connected);
  form_.LinkBtn()->setText(QStringLiteral("Connect"));
  session_.ClearStatusMasks();
  for (int i = 0; i < 4; ++i) {
    form_.SetPanelColour(form_.InputPanel(i), kPanelIdleColour);
    form_.SetPanelColour(form_.OutputPanel(i), kPanelIdleColour);
  }
  if (auto* point = form_.findChild<QRadioButton*>(QStringLiteral("RBPoint")))
    point->setChecked(true);
  form_.CloseWaitDialog();
}

void ConnectionController::FormClose() {
  closing_ = true;
  socketThread_->Suspend();
  tcp_.Close();
  hid_.Close();
}

void ConnectionController::SetProgBtnEnabled(bool enabled) {
  if (auto* prog = form_.findChild<QPushButton*>(QStringLiteral("ProgBtn")))
    prog->setEnabled(enabled);
}

bool ConnectionController::WaitWhile(const std::function<bool()>& busy) {
  const QDeadlineTimer deadline(disconnectWaitMs_);
  // Wakes the loop when the time is up, should nothing else arrive; it keeps
  // ticking in case it comes a little before the deadline.
  QTimer wake;
  wake.setTimerType(Qt::PreciseTimer);
  wake.start(disconnectWaitMs_);
  while (busy() && !closing_) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

}  // namespace lumera
