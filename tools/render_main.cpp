// trntool-render IN OUT [OPTIONS]: "trntool render", in a program of its own
// because it needs Qt (render_launch.h).
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtGui/QGuiApplication>
#include <cstdio>
#include <memory>
#include <variant>

#include "file_access.h"
#include "render_command.h"

namespace {

QtMessageHandler QtMessages = nullptr;

// Without a desktop session Qt says that it has no runtime folder, which it
// needs only for windows: nothing a user of the tool should read.
void PassMessage(QtMsgType Type, const QMessageLogContext& Context,
                 const QString& Message) {
  if (Message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR"))) {
    return;
  }
  QtMessages(Type, Context, Message);
}

}  // namespace

int main(int argc, char** argv) {
  IgnoreFileSizeSignal();
  const auto request = RenderRequest(argc - 1, argv + 1);
  if (const auto* exit = std::get_if<TCommandExit>(&request)) {
    std::fputs(exit->Out.c_str(), stdout);
    std::fputs(exit->Err.c_str(), stderr);
    return exit->Status;
  }
  // Pages have text, whose fonts Qt finds only through an application; it
  // needs no display.
  std::unique_ptr<QGuiApplication> app;
  if (IsPdfName(std::get<TRenderRequest>(request).Out)) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QtMessages = qInstallMessageHandler(PassMessage);
    app = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(QtMessages);
  }
  return Render(std::get<TRenderRequest>(request));
}
