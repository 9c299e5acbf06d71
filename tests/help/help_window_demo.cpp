// Shows the help window on the built help file, for screenshots:
// help_window_demo [HELP_FILE [PAGE]], PAGE such as "/truth-tables.html".
#include <QApplication>
#include <QFont>

#include "help/viewer/helpwindow.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    const QStringList args = QCoreApplication::arguments();
    nlt::help::HelpWindow window;
    if (!window.openFile(args.value(1, QStringLiteral(NLT_TEST_HELP_FILE))))
        return 1;
    if (args.size() > 2)
        window.showPage(args.at(2));
    window.show();
    return QApplication::exec();
}
