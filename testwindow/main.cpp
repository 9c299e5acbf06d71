#include <QApplication>
#include <QFont>
#include <QIcon>
#include <cstdio>

#include "results/runresults.h"
#include "testwindow/platform.h"
#include "testwindow/session.h"

int main(int argc, char *argv[])
{
    if (!nlt::platform::DisplayAvailable(argc, argv)) {
        const QString message = QCoreApplication::translate(
            "main", "nested-logic-test: no display found. Start it from a desktop session "
                    "(DISPLAY or WAYLAND_DISPLAY must be set).\n");
        std::fputs(message.toLocal8Bit().constData(), stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/nested-logic-test-%1.png").arg(size));
    }
    QApplication::setWindowIcon(icon);

    TestSession &session = TestSession::instance();
    session.installCloseRequestHandlers();
    QObject::connect(&session, &TestSession::runEnded, &ShowRunResults);
    session.showForm1();
    return QApplication::exec();
}
