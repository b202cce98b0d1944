#include "Unit2.h"

#include <QGuiApplication>
#include <QScreen>

TForm2* Form2 = nullptr;

TForm2::TForm2()
{
    Form2 = this;
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Random generation form"));
    setWindowFlags(Qt::Tool | Qt::MSWindowsFixedSizeDialogHint);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(290, 193);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
