#include "render/offscreen_application.h"

#include <cstdio>

namespace novarel::render {
namespace {

// Qt's messages as its own handler writes them, less the note that a
// session without a desktop (a terminal, cron, a container) has no runtime
// folder: the files need none, and the note would read like a fault.
void CommandLineQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

}  // namespace

OffscreenApplication::OffscreenApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(CommandLineQtMessage);
    app_ = std::make_unique<QApplication>(argc_, argv_);
}

OffscreenApplication::~OffscreenApplication() = default;

}  // namespace novarel::render
