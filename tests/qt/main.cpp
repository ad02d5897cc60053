// The Qt view's tests run on the offscreen platform, in one application for the whole run.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <cstring>

namespace {

// The offscreen platform reports each window feature it lacks (size hints, raising); the rest
// of Qt's messages go through.
QtMessageHandler g_default_handler = nullptr;

void quiet_platform_notes(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (msg.startsWith(QLatin1String("This plugin does not support"))) return;
    g_default_handler(type, context, msg);
}

}  // namespace

int main(int argc, char** argv) {
    // The offscreen platform always; a run may give it a screen of its own ("offscreen:...").
    const char* platform = getenv("QT_QPA_PLATFORM");
    if (!platform || std::strncmp(platform, "offscreen", 9) != 0)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    g_default_handler = qInstallMessageHandler(quiet_platform_notes);
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
