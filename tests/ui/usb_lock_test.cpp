#include "link/usb_lock.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <memory>

#include "app/connection_controller.h"
#include "app/ip_address_edit.h"
#include "app/main_form.h"
#include "support/fake_message_boxes.h"
#include "support/recording_pauser.h"

namespace lumera {
namespace {

const QString kBusyText = QStringLiteral("USB mode already used by another programe!! ");

// The other copy of the tool, holding or leaving the lock on command.
class OtherCopy {
 public:
  explicit OtherCopy(const std::string& lockPath) {
    process_.start(QStringLiteral(LUMERA_USB_LOCK_HOLDER), {QString::fromStdString(lockPath)});
    started_ = process_.waitForStarted(5000);
  }
  ~OtherCopy() {
    process_.closeWriteChannel();
    if (!process_.waitForFinished(5000)) process_.kill();
    process_.waitForFinished(5000);
  }
  bool Started() const { return started_; }
  QString Say(const char* command) {
    process_.write(command);
    process_.write("\n");
    while (!process_.canReadLine())
      if (!process_.waitForReadyRead(5000)) return QStringLiteral("(no answer)");
    return QString::fromLatin1(process_.readLine()).trimmed();
  }
  void Crash() {
    process_.kill();
    process_.waitForFinished(5000);
  }

 private:
  QProcess process_;
  bool started_ = false;
};

TEST(UsbLockTest, OneProcessAtATimeAndACrashReleasesIt) {
  QTemporaryDir dir;
  const std::string path = dir.filePath(QStringLiteral("UWM-40318826")).toStdString();
  OtherCopy other(path);
  ASSERT_TRUE(other.Started());
  UsbLock mine(path);

  EXPECT_EQ(other.Say("take"), "taken");
  EXPECT_FALSE(mine.TryAcquire());
  EXPECT_EQ(other.Say("release"), "released");
  EXPECT_TRUE(mine.TryAcquire());
  EXPECT_TRUE(mine.TryAcquire()) << "holding it already is no conflict";
  EXPECT_EQ(other.Say("take"), "busy");
  mine.Release();
  EXPECT_EQ(other.Say("take"), "taken");
  other.Crash();
  EXPECT_TRUE(mine.TryAcquire());
}

TEST(UsbLockTest, DefaultPathIsPerUser) {
  const std::string path = UsbLock::DefaultPath();
  EXPECT_NE(path.find("UWM-40318826"), std::string::npos);
  qunsetenv("LUMERA_LOCK_DIR");
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  qunsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(UsbLock::DefaultPath(), "/tmp/UWM-40318826-" + std::to_string(getuid()));
  if (!runtime.isEmpty()) qputenv("XDG_RUNTIME_DIR", runtime);
  qputenv("LUMERA_LOCK_DIR", QByteArray::fromStdString(path.substr(0, path.rfind('/'))));
  EXPECT_EQ(UsbLock::DefaultPath(), path);
}

class SecondCopyTest : public ::testing::Test {
 protected:
  std::unique_ptr<TMainForm> Make() {
    return std::make_unique<TMainForm>(std::vector<std::string>{}, messages, pauser);
  }
  test::FakeMessageBoxes messages;
  test::RecordingPauser pauser;
};

TEST_F(SecondCopyTest, ASecondCopyFallsBackToTcpUntilTheFirstLetsGo) {
  OtherCopy other(UsbLock::DefaultPath());
  ASSERT_TRUE(other.Started());
  ASSERT_EQ(other.Say("take"), "taken");

  auto form = Make();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kBusyText);
  EXPECT_TRUE(form->RBTCP()->isChecked());
  EXPECT_EQ(form->focusWidget(), form->RBTCP());
  EXPECT_TRUE(form->LinkBtn()->isEnabled());
  EXPECT_TRUE(form->IpEntry(0)->isEnabled());
  EXPECT_FALSE(form->Connection().UsbLockHeld());

  // Still held: choosing USB again falls back again.
  form->RBUSB()->click();
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_TRUE(form->RBTCP()->isChecked());

  // The first copy chooses TCP and so lets go.
  EXPECT_EQ(other.Say("release"), "released");
  form->RBUSB()->click();
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_TRUE(form->RBUSB()->isChecked());
  EXPECT_TRUE(form->Connection().UsbLockHeld());
  EXPECT_FALSE(form->IpEntry(0)->isEnabled());
  EXPECT_EQ(other.Say("take"), "busy");

  form->RBTCP()->click();
  EXPECT_FALSE(form->Connection().UsbLockHeld());
  EXPECT_EQ(other.Say("take"), "taken");
}

TEST_F(SecondCopyTest, TheFirstCopyHoldsTheLockFromTheStart) {
  auto form = Make();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(form->RBUSB()->isChecked());
  EXPECT_TRUE(form->Connection().UsbLockHeld());
  OtherCopy other(UsbLock::DefaultPath());
  ASSERT_TRUE(other.Started());
  EXPECT_EQ(other.Say("take"), "busy");
  form.reset();
  EXPECT_EQ(other.Say("take"), "taken");
}

}  // namespace
}  // namespace lumera
