#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Every test process gets a USB lock of its own, so that test programs run
  // side by side do not see each other as a second copy of the tool. Tests of
  // the lock itself point it elsewhere.
  QTemporaryDir lockDir;
  if (qEnvironmentVariableIsEmpty("LUMERA_LOCK_DIR") && lockDir.isValid())
    qputenv("LUMERA_LOCK_DIR", lockDir.path().toLocal8Bit());
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
