// Shows the help window on the built help file, for screenshots:
// help_window_demo [HELP_FILE [PAGE]], PAGE such as "/truth-tables.html".
#include <QApplication>
#include <QFont>

#include "help/viewer/helpwindow.h"
#include "help/viewer/openhelp.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    const QStringList args = QCoreApplication::arguments();
    OpenHelpFile(args.value(1, QStringLiteral(NLT_TEST_HELP_FILE)), nullptr);
    if (args.size() > 2)
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *window = qobject_cast<nlt::help::HelpWindow *>(w))
                window->showPage(args.at(2));
    return QApplication::exec();
}
