#pragma once

#include <QEvent>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/page.h"
#include "app/page_index.h"
#include "conversation/box_session.h"
#include "conversation/conversation_engine.h"
#include "conversation/frame_builders.h"
#include "link/frame_sender.h"

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QToolButton;

namespace lumera {

class ConnectionController;
class MessageBoxes;
class Pauser;
class TIpAddressEdit;
class TWaitForm;
class TCusOutput;
class WindowSelection;

// The private notification that asks the main window for the ISP hint; its
// argument plays the part of the message's third word.
class IspHintEvent : public QEvent {
 public:
  static QEvent::Type EventType();
  explicit IspHintEvent(int argument) : QEvent(EventType()), argument_(argument) {}
  int Argument() const { return argument_; }

 private:
  int argument_;
};

// The status panel colours.
inline constexpr unsigned kPanelInputColour = 0x00FF00;   // clLime
inline constexpr unsigned kPanelOutputColour = 0xF88A05;  // RGB 248, 138, 5
inline constexpr unsigned kPanelIdleColour = 0xC0C0C0;    // clSilver

// The main window: it owns the state of the whole tool and composes the pages.
class TMainForm : public QWidget, public SendObserver {
  Q_OBJECT
 public:
  static constexpr int kWidth = 858;
  static constexpr int kHeight = 600;

  // args are the command-line arguments after the program name. The message
  // boxes and the pauser are the seams tests replace.
  TMainForm(const std::vector<std::string>& args, MessageBoxes& messages, Pauser& pauser,
            QWidget* parent = nullptr);
  ~TMainForm() override;

  BoxSession& Session() { return session_; }
  FrameSender& Sender() { return sender_; }
  ConversationEngine& Engine() { return engine_; }
  FrameBuilders& Builders() { return builders_; }
  MessageBoxes& Messages() { return messages_; }
  Pauser& Pauses() { return pauser_; }

  // A received frame, on the UI thread. TCP replies start at frame byte 0;
  // HID reports start with the report-id byte. The rest of the receive buffer
  // reads as zero. The handler is chosen by LinkMode.
  void DispatchReply(const uint8_t* data, std::size_t size, bool withReportId);
  // Reply handlers of the other link modes (firmware loader, second family).
  void SetLoaderReplyHandler(std::function<void()> handler) { loaderHandler_ = std::move(handler); }
  void SetSecondFamilyReplyHandler(std::function<void()> handler) {
    secondFamilyHandler_ = std::move(handler);
  }

  // The LinkType byte of binary requests: 1 while RBUSB is enabled, 2 while a
  // TCP link has disabled it.
  uint8_t LinkTypeByte() const;

  // The status timer (3000 ms, off at start) and its handler.
  QTimer* TmrStatus() const { return tmrStatus_; }
  void TmrStatusTimer();

  // Pages: each registers its show handler and its per-model set-up. Panels
  // outside PCMain pass index -1 and take part in the set-up only.
  void AddPage(int index, std::unique_ptr<Page> page);
  Page* PageHandler(int index) const { return pageHandlers_[static_cast<std::size_t>(index)]; }
  // The visible page's show handler, if it has one; returns whether it had.
  bool RunVisiblePageShow();
  // Fills RGInput and RGPIPSrc with the model's input names for the selected
  // window (and raises the customised width on FamilyU).
  void SetInputNames();
  // The per-model set-up: SetInputNames, then every page's own rows.
  void ConfigureForModel();

  // Identification and the per-model layout.
  void LayoutForSecondFamily(bool secondFamily);
  void ShowVersions();
  void ShowNetworkInfo();
  // The version gate hides the setting pages 0-10; an accepted box shows 0-4,
  // 8, 9 and 10 (ConfigureForModel decides 5-7).
  void HideSettingPages();
  void ShowSettingPages();
  // The window buttons for WindowCount, after the visible page is loaded.
  void ApplyWindowCount();
  // Colours the status panels and starts a re-read when the box changed.
  void ApplyStatusReply();
  // The start-up image of all four windows, grey panels, no remembered status.
  void ResetAllWindows();

  bool TcpChosen() const;
  // The connection group and the links behind it.
  ConnectionController& Connection() { return *connection_; }
  QRadioButton* RBTCP() const { return rbTcp_; }
  QRadioButton* RBUSB() const { return rbUsb_; }
  QPushButton* LinkBtn() const { return linkBtn_; }
  TIpAddressEdit* IpEntry(int i) const { return ipEntries_[static_cast<std::size_t>(i)]; }
  class ReplyWatchdog* Watchdog() const {
    return watchdog_.get();
  }
  // The disconnect of the chosen transport, as the Disconnect button runs it.
  void SetDisconnectHandler(std::function<void()> handler) {
    disconnectHandler_ = std::move(handler);
  }
  void RequestDisconnect() {
    if (disconnectHandler_) disconnectHandler_();
  }

  // The common page load: RefreshGuard around load, then the overlay chain
  // when connected and the page's family mask matches, else step 0.
  void TabRefresh(const std::function<void()>& load, bool overlaysForThisModel);

  // The size FormResize holds the window to; FormResize applies it, after any
  // resize and whenever the layout changes.
  QSize FixedSize() const;
  void FormResize();
  void ShowIspHint(int argument);
  void AppendLog(const QString& line);

  // The wait dialog, created once at start-up.
  TWaitForm* WaitForm() const { return waitForm_.get(); }
  // The customised-output dialog, created once at start-up.
  TCusOutput* CusOutput() const { return cusOutput_; }
  void ShowWaitDialog(int intervalMs);
  void CloseWaitDialog();

  // Busy state of a running chain: hourglass cursor and disabled main window.
  void SetBusy(bool busy);
  bool Busy() const { return busy_; }

  QTabWidget* PCMain() const { return pcMain_; }
  QWidget* PageWidget(int index) const { return pages_[static_cast<std::size_t>(index)]; }
  QToolButton* WindowButton(int window) const {
    return winButtons_[static_cast<std::size_t>(window)];
  }
  WindowSelection* WindowSelector() const { return windowSelection_; }
  QFrame* InputPanel(int i) const { return inputPanels_[static_cast<std::size_t>(i)]; }
  QFrame* OutputPanel(int i) const { return outputPanels_[static_cast<std::size_t>(i)]; }
  void SetPanelColour(QFrame* panel, unsigned rgb);
  static unsigned PanelColour(const QFrame* panel);

  QLabel* STStatus() const { return stStatus_; }
  QLabel* STFlag() const { return stFlag_; }
  void ShowDiagnostics();
  void ShowStepReadouts();

  // SendObserver
  void SendDroppedLinkDown() override;
  void FrameSent(uint32_t step) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void customEvent(QEvent* event) override;

 private:
  void FormCreate(const std::vector<std::string>& args);
  void BuildShell();
  void BuildConnectGroup();
  void BuildSettingFileGroup();
  void BuildWindowSelector();
  void BuildPages();
  void AddPages();
  void CreateIpEntries();
  void BuildNetworkGroup(QWidget* parent, const char* name, const char* suffix, const char* dhcp,
                         const char* staticIp, const char* update);
  void ApplyOverlapHints();
  void WireEngine();

  BoxSession session_;
  FrameSender sender_;
  ConversationEngine engine_;
  FrameBuilders builders_;
  std::function<void()> loaderHandler_;
  std::function<void()> secondFamilyHandler_;
  std::function<void()> disconnectHandler_;
  std::unique_ptr<class ConversationChains> chains_;
  std::unique_ptr<class ReplyWatchdog> watchdog_;
  QTimer* tmrStatus_ = nullptr;
  std::vector<std::unique_ptr<Page>> ownedPages_;
  std::array<Page*, kPageCount> pageHandlers_{};
  MessageBoxes& messages_;
  Pauser& pauser_;
  bool busy_ = false;
  bool resizing_ = false;

  QGroupBox* grop1_ = nullptr;
  QRadioButton* rbTcp_ = nullptr;
  QRadioButton* rbUsb_ = nullptr;
  QPushButton* linkBtn_ = nullptr;
  QGroupBox* slGroup_ = nullptr;
  QGroupBox* btnFrame_ = nullptr;
  QButtonGroup* winGroup_ = nullptr;
  std::array<QToolButton*, 4> winButtons_{};
  WindowSelection* windowSelection_ = nullptr;
  std::array<QFrame*, 4> inputPanels_{};
  std::array<QFrame*, 4> outputPanels_{};
  QGroupBox* gbLum_ = nullptr;
  QTabWidget* pcMain_ = nullptr;
  std::array<QWidget*, kPageCount> pages_{};
  QLabel* stStatus_ = nullptr;
  QLabel* stFlag_ = nullptr;
  QPlainTextEdit* tntMemo1_ = nullptr;
  QWidget* k712Control_ = nullptr;
  QGroupBox* gbDebug_ = nullptr;
  std::array<TIpAddressEdit*, 7> ipEntries_{};
  TCusOutput* cusOutput_ = nullptr;
  std::unique_ptr<TWaitForm> waitForm_;
  // Last, so that its readers stop before anything they hand replies to goes.
  std::unique_ptr<ConnectionController> connection_;
};

}  // namespace lumera
