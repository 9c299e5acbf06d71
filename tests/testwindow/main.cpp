#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

#include "testwindow/programwindow.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

// Whether a message is one that wine 8 draws from every Qt program on Windows:
// wine rejects per-monitor DPI awareness version 2 and lacks
// EnableNonClientDpiScaling. Real Windows gives neither; elsewhere none counts.
bool WineDpiNoise(const QString &message)
{
#ifdef Q_OS_WIN
    static const bool underWine = [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return underWine
        && (message.startsWith(QLatin1String("SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) "
                                             "failed: COM error 0x57"))
            || (message.startsWith(QLatin1String("EnableNonClientDpiScaling() failed for HWND"))
                && message.endsWith(QLatin1String("(Call not implemented.)"))));
#else
    Q_UNUSED(message);
    return false;
#endif
}

// Fails the running test on every Qt warning, critical or fatal message: a
// warning in a window test is a defect, not noise. Debug and info messages
// only pass through, as does the offscreen platform's own noise.
void FailOnQtWarning(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        return;
    }
    // The offscreen platform cannot raise a window or pass on its size limits
    // and says so each time: noise of the test platform alone, let through.
    if (message == QLatin1String("This plugin does not support raise()")
        || message == QLatin1String("This plugin does not support propagateSizeHints()") || WineDpiNoise(message))
        return;
    ADD_FAILURE() << "Qt warned: " << message.toStdString();
}

} // namespace

// The widget tests need one application object, made here and not at static
// initialisation, since test discovery runs this program too.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // A runtime directory of its own (mode 0700), so Qt has no cause to warn about it.
    QTemporaryDir runtime(QDir::tempPath() + QStringLiteral("/nlt-test-runtime-XXXXXX"));
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid()) {
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    }
    qInstallMessageHandler(FailOnQtWarning);
    QApplication app(argc, argv);
    // Windows are hidden and shown again by the tests; that must not quit.
    QApplication::setQuitOnLastWindowClosed(false);
    PrepareApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
