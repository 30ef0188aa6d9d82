#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "link/hid_backend.h"
#include "link/hid_link.h"
#include "link/tcp_link.h"
#include "link/usb_lock.h"

namespace lumera {

class FrameHandover;
class HidDeviceWatcher;
class TMainForm;
class TSocketThread;
struct BoxSession;

// The connection group: the choice of transport, USB discovery, connect and
// disconnect, and the two readers that hand replies to the main window.
class ConnectionController : public QObject {
  Q_OBJECT
 public:
  static constexpr int kConnectTimeoutMs = 3000;
  // How long a disconnect waits for the box to finish an exchange before it
  // goes on without it.
  static constexpr int kDisconnectWaitMs = 3000;

  explicit ConnectionController(TMainForm& form);
  ~ConnectionController() override;

  // USB is the chosen transport from the first moment: take the USB lock and
  // look for a box, as a click on RBUSB does.
  void Start();

  void LinkBtnClick();
  void RBUSBClick();
  void RBTCPClick();
  // One present HID device; false ends the enumeration.
  bool HidCtlEnumerate(const HidDeviceInfo& device);
  void HidCtlDeviceChange();
  void TcpClient1Connect();
  void BeforeDisconnect();
  void ResetLinkUi();
  void CloseHidDevice();
  // The reply that identified the box may have changed LinkMode; the TCP
  // reader joins replies by the family's layouts.
  void SyncReaderMode();
  // The window closes: the links and their readers end.
  void FormClose();

  // The address typed in the IP entry, as the connect uses it.
  QString ConnectAddress() const;
  uint16_t RememberedProductId() const { return productId_; }
  bool UsbLockHeld() const { return usbLock_.Held(); }
  bool TcpOpen() const { return tcp_.IsOpen(); }
  bool HidOpen() const { return hid_.IsOpen(); }
  bool HidReaderRunning() const { return hid_.ReaderRunning(); }
  bool SocketReaderRunning() const;

  // Seams for tests: the HID library, the bound of the disconnect waits and
  // the gap that ends an unfinished TCP reply.
  void SetHidBackend(std::unique_ptr<HidBackend> backend) { backend_ = std::move(backend); }
  void SetDisconnectWaitMs(int ms) { disconnectWaitMs_ = ms; }
  void SetReplyGapMs(int ms);

 private:
  void ConnectTcp();
  void DisconnectTcp();
  void ConnectUsb();
  void DisconnectUsb();
  void Enumerate();
  void SendPendingNetwork();
  bool DhcpChosen() const;
  void SetProgBtnEnabled(bool enabled);
  // Pumps events while busy() holds, at most disconnectWaitMs_; false when
  // it gave up.
  bool WaitWhile(const std::function<bool()>& busy);

  TMainForm& form_;
  BoxSession& session_;
  std::unique_ptr<HidBackend> backend_;
  HidLink hid_;
  TcpLink tcp_;
  UsbLock usbLock_;
  FrameHandover* tcpHandover_ = nullptr;
  FrameHandover* hidHandover_ = nullptr;
  std::unique_ptr<TSocketThread> socketThread_;
  HidDeviceWatcher* watcher_ = nullptr;
  uint16_t productId_ = 0;
  int disconnectWaitMs_ = kDisconnectWaitMs;
  bool inLinkBtnClick_ = false;
  bool closing_ = false;
};

}  // namespace lumera
