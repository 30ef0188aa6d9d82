#include "app/qt_pauser.h"

#include <QThread>

namespace lumera {

void QtPauser::Pause(uint32_t ms) {
  QThread::msleep(ms);
}

}  // namespace lumera
