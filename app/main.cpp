// Program start: the application object with its name and icon, the main window, the hidden generation dialog, and
// the message loop until the main window closes.
#include <QApplication>
#include <QIcon>
#include <iostream>

#include "CommandLine.h"

#include "Controls.h"
#include "Platform.h"
#include "Unit1.h"
#include "Unit2.h"

namespace {
// The program's icon at the sizes built into it (the same images the installation puts in the
// icon theme).
QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/org.velmora.Velmora-%1.png").arg(size), QSize(size, size));
    return icon;
}
}  // namespace

int main(int argc, char** argv)
{
    // `velmora fit ...`, `velmora rank ...`: the batch commands, without a window or display.
    if (IsCommandLine(argc, argv))
        return RunCommandLine(argc, argv, std::cout, std::cerr);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setDesktopFileName(QStringLiteral("org.velmora.Velmora"));
    QApplication::setWindowIcon(AppIcon());
    QApplication::setFont(WindowFont());

    TForm1 form1;
    TForm2 form2;
    form1.show();
    // `velmora FILE`, as a file manager starts it: the file opened into the buffer.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        RunHandler(&form1, [&] { form1.OpenDataFile(arguments.at(1)); });
    application.exec();
    return 0;
}
