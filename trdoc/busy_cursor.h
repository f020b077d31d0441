#pragma once

#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>

// Shows the busy cursor over the whole program for as long as it lives.
class TBusyCursor {
 public:
  TBusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};
