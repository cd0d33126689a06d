// SIGTERM and SIGHUP end the program as the end of a session does. A signal handler may only do
// the simplest things: it writes a byte into a pipe, and the event loop, watching the pipe, quits.
#include "SessionEnd.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace loadergui::qt {

namespace {

int signalPipe[2] = {-1, -1};

// errno is put back as it was: the signal may come between a call and its caller's look at it.
void OnTerminationSignal(int) {
  int savedErrno = errno;
  char byte = 1;
  ssize_t written = write(signalPipe[1], &byte, 1);
  (void)written;  // a full pipe already holds a quit to come
  errno = savedErrno;
}

}  // namespace

void QuitOnTerminationSignals() {
  // Close-on-exec: the terminals, loaders and ARP tool the program starts must not hold either
  // end. Neither end blocks: the handler never waits, nor does the loop that empties the pipe.
  if (signalPipe[0] >= 0 || pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
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
