#pragma once

#include <QtWidgets/QWidget>

// A window's caption as the window system shows it: Qt's "[*]" stands for
// "*" while the window is marked modified, and for nothing otherwise.
inline QString ShownCaption(const QWidget& Window) {
  QString caption = Window.windowTitle();
  return caption.replace(QStringLiteral("[*]"), Window.isWindowModified()
                                                    ? QStringLiteral("*")
                                                    : QString());
}
