// Connect-to-idle time of a full read of a warp-capable box over loopback:
// the tool (main window offscreen, real TCP link and reader thread) against a
// minimal client that makes the same 25 exchanges with the same simulator in
// the same run. Prints both medians and their ratio; the target is <= 1.5.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/connection_controller.h"
#include "app/ip_address_edit.h"
#include "app/main_form.h"
#include "app/message_boxes.h"
#include "app/qt_pauser.h"
#include "link/frame.h"
#include "link/frame_codes.h"
#include "support/boxsim_process.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 15;

class SilentMessageBoxes : public lumera::MessageBoxes {
 public:
  void Info(const QString& t) override { Print(t); }
  void Error(const QString& t) override { Print(t); }
  void Warning(const QString& t) override { Print(t); }
  bool ConfirmOkCancel(const QString& t) override { return Print(t), true; }
  bool ConfirmYesNo(const QString& t) override { return Print(t), true; }

 private:
  static void Print(const QString& t) { std::fprintf(stderr, "message: %s\n", qPrintable(t)); }
};

// The requests of a full read of a FamilyU box, in order.
std::vector<std::vector<uint8_t>> FullReadRequests() {
  using namespace lumera::FrameCode;
  std::vector<std::vector<uint8_t>> out;
  auto add = [&out](uint32_t code, uint32_t a = 0, uint16_t b = 0, bool wordPair = false) {
    std::vector<uint8_t> f(lumera::kTcpFrameSize, 0);
    lumera::WriteU32(f.data() + 4, code);
    if (wordPair) {
      lumera::WriteU16(f.data() + 8, static_cast<uint16_t>(a));
      lumera::WriteU16(f.data() + 10, b);
    } else {
      lumera::WriteU32(f.data() + 8, a);
    }
    out.push_back(f);
  };
  for (uint32_t c :
       {Identify, ReadSystemInfo, ReadInputInfo, ReadPicture, ReadWall, ReadSubWindows, ReadEdid,
        ReadBlendEdges, ReadBlendGamma, ReadBlackLevel, ReadCornerPoints, ReadMaskPoints})
    add(c);
  for (uint32_t h = 0; h < 8; ++h)
    add(ReadWarpGrid, h / 2, static_cast<uint16_t>((h % 2) * 85), true);
  add(ReadWarpExtras);
  for (uint32_t w = 0; w < 4; ++w) add(ReadRawGrid, w);
  return out;
}

bool ReadAll(int fd, uint8_t* p, std::size_t n) {
  while (n > 0) {
    const ssize_t got = ::recv(fd, p, n, 0);
    if (got <= 0) return false;
    p += got;
    n -= static_cast<std::size_t>(got);
  }
  return true;
}

double MinimalClientMs(uint16_t port, const std::vector<std::vector<uint8_t>>& requests) {
  const auto start = Clock::now();
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    ::close(fd);
    return -1;
  }
  const int one = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  uint8_t reply[lumera::kTcpFrameSize];
  for (const auto& r : requests) {
    if (::send(fd, r.data(), r.size(), 0) != static_cast<ssize_t>(r.size()) ||
        !ReadAll(fd, reply, sizeof reply)) {
      ::close(fd);
      return -1;
    }
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  ::close(fd);
  return ms;
}

double ToolMs() {
  SilentMessageBoxes messages;
  lumera::QtPauser pauser;
  lumera::TMainForm form({}, messages, pauser);
  form.RBTCP()->setChecked(true);
  form.IpEntry(0)->SetText(QStringLiteral("127.0.0.1"));
  // The operator connects a window that is up and idle: let the new window's
  // polish, layout and paint events run before the clock starts.
  form.show();
  const auto settle = Clock::now() + std::chrono::milliseconds(200);
  while (Clock::now() < settle) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  bool done = false;
  const auto start0 = Clock::now();
  static bool trace = qEnvironmentVariableIsSet("BENCH_TRACE");
  form.Engine().SetStepObserver([&done, start0](uint32_t step) {
    done = done || step == 1023;
    if (trace)
      std::fprintf(stderr, "%u %.3f\n", step,
                   std::chrono::duration<double, std::milli>(Clock::now() - start0).count());
  });

  const auto start = Clock::now();
  form.Connection().LinkBtnClick();
  if (trace)
    std::fprintf(stderr, "connect returned %.3f\n",
                 std::chrono::duration<double, std::milli>(Clock::now() - start0).count());
  const auto limit = start + std::chrono::seconds(10);
  while (!done && Clock::now() < limit)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  form.Engine().SetStepObserver(nullptr);
  if (form.Session().Connected()) form.Connection().LinkBtnClick();
  return done ? ms : -1;
}

// With BENCH_TRACE set, names every event that takes longer than half a
// millisecond to handle.
class TracingApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    static const bool trace = qEnvironmentVariableIsSet("BENCH_TRACE");
    if (!trace) return QApplication::notify(receiver, event);
    const int type = event->type();
    const auto start = Clock::now();
    const bool result = QApplication::notify(receiver, event);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (ms > 0.5)
      std::fprintf(stderr, "  event %d to %s %s: %.3f ms\n", type,
                   receiver->metaObject()->className(), qPrintable(receiver->objectName()), ms);
    return result;
  }
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("LUMERA_BOXSIM")) qputenv("LUMERA_BOXSIM", LUMERA_BOXSIM_PATH);
  TracingApplication app(argc, argv);

  lumera::test::BoxsimProcess sim;
  std::string error;
  if (!sim.Start({"--model", "0x14"}, &error)) {
    std::fprintf(stderr, "cannot start the simulator: %s\n", error.c_str());
    return 1;
  }
  qputenv("LUMERA_TCP_PORT", QByteArray::number(sim.Port()));

  const auto requests = FullReadRequests();
  std::vector<double> client, tool;
  for (int i = 0; i < kRuns; ++i) {
    client.push_back(MinimalClientMs(sim.Port(), requests));
    tool.push_back(ToolMs());
  }
  if (std::count(client.begin(), client.end(), -1.0) ||
      std::count(tool.begin(), tool.end(), -1.0)) {
    std::fprintf(stderr, "a run did not complete\n");
    return 1;
  }
  const double c = Median(client);
  const double t = Median(tool);
  std::printf("full read, 25 exchanges over loopback, median of %d runs\n", kRuns);
  std::printf("  minimal client: %8.3f ms\n", c);
  std::printf("  tool:           %8.3f ms\n", t);
  std::printf("  ratio:          %8.2f (target <= 1.5)\n", t / c);
  return 0;
}
