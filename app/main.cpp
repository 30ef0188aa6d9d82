#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/message_boxes.h"
#include "app/qt_pauser.h"
#include "app/startup_rules.h"

namespace {

// Shows an exception that escaped a handler and ends the loop, as the
// platform's standard exception box would.
class GuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      QMessageBox::critical(nullptr, QString::fromUtf8(lumera::kApplicationTitle.data()),
                            QString::fromUtf8(e.what()));
      exit(1);
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  GuardedApplication app(argc, argv);
  QApplication::setApplicationName(
      QString::fromUtf8(lumera::kApplicationTitle.data(), lumera::kApplicationTitle.size()));
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);

  lumera::QtPauser pauser;
  lumera::QtMessageBoxes messages(nullptr);
  lumera::TMainForm form(args, messages, pauser);
  form.show();
  return QApplication::exec();
}
