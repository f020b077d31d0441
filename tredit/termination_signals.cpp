#include "termination_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QtCore/QSocketNotifier>
#include <csignal>

namespace {

// The handler writes into the first socket, the loop reads the second.
int Sockets[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP};

extern "C" void OnTerminationSignal(int Signal) {
  const char byte = static_cast<char>(Signal);
  // Nothing can be done about a full socket: a byte is waiting already.
  [[maybe_unused]] const ssize_t written = write(Sockets[0], &byte, 1);
}

void Handle(void (*Handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = Handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kSignals) sigaction(signal, &action, nullptr);
}

}  // namespace

TTerminationSignals::TTerminationSignals(std::function<void()> AEnded)
    : Ended(std::move(AEnded)) {
  // Without the sockets the signals keep ending the program at once.
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, Sockets) != 0) return;
  Notifier = new QSocketNotifier(Sockets[1], QSocketNotifier::Read, this);
  connect(Notifier, &QSocketNotifier::activated, this,
          &TTerminationSignals::Arrived);
  Handle(&OnTerminationSignal);
}

TTerminationSignals::~TTerminationSignals() {
  if (Notifier == nullptr) return;
  Handle(SIG_DFL);
  delete Notifier;
  for (int& socket : Sockets) {
    close(socket);
    socket = -1;
  }
}

void TTerminationSignals::Arrived() {
  char byte = 0;
  [[maybe_unused]] const ssize_t read = ::read(Sockets[1], &byte, 1);
  // A second signal while the first is handled changes nothing.
  if (Told) return;
  Told = true;
  Ended();
}
