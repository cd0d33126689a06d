// SIGTERM and SIGHUP end the program as the end of a session does. A signal handler may only do
// the simplest things: it writes a byte into a pipe, and the event loop, watching the pipe, quits.
#include "SessionEnd.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>

namespace loadergui::qt {

namespace {

int signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  char byte = 1;
  ssize_t written = write(signalPipe[1], &byte, 1);
  (void)written;  // a full pipe already holds a quit to come
}

}  // namespace

void QuitOnTerminationSignals() {
  if (signalPipe[0] >= 0 || pipe(signalPipe) != 0) return;
  for (int end : signalPipe) fcntl(end, F_SETFL, fcntl(end, F_GETFL) | O_NONBLOCK);
  auto* notifier =
      new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
    char bytes[16];
    while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    // exit(), not quit(): quit() would first ask every window to close, and the options
    // dialog answers a close request with Cancel, which would throw away its values.
    QCoreApplication::exit(0);
  });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
}

}  // namespace loadergui::qt
