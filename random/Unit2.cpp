#include "Unit2.h"

#include "Controls.h"

TForm2* Form2 = nullptr;

TForm2::TForm2()
{
    Form2 = this;
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Random generation form"));
    setWindowFlags(Qt::Tool | Qt::MSWindowsFixedSizeDialogHint);
    setFont(WindowFont());
    setFixedSize(290, 193);
    CentreOnScreen(this);
}
