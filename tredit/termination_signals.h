#pragma once

#include <QtCore/QObject>
#include <functional>
#include <utility>

class QSocketNotifier;

// SIGTERM and SIGHUP (a desktop session that ends, kill, a closed terminal)
// call Ended on the event loop's thread, once. A signal handler can do next
// to nothing safely, so it only writes a byte that the loop is watching for.
// One at a time: the signals go back to their defaults when it goes.
class TTerminationSignals : public QObject {
 public:
  explicit TTerminationSignals(std::function<void()> Ended);
  ~TTerminationSignals() override;
  TTerminationSignals(const TTerminationSignals&) = delete;
  TTerminationSignals& operator=(const TTerminationSignals&) = delete;

 private:
  void Arrived();

  std::function<void()> Ended;
  QSocketNotifier* Notifier = nullptr;
  bool Told = false;
};
