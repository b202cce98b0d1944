// Program start: the application object, the main window, the hidden generation dialog, and
// the message loop until the main window closes.
#include <QApplication>

#include "Controls.h"
#include "Unit1.h"
#include "Unit2.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setFont(WindowFont());

    TForm1 form1;
    TForm2 form2;
    form1.show();
    application.exec();
    return 0;
}
