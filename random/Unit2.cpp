#include "Unit2.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <chrono>
#include <thread>

#include "BulkGeneration.h"
#include "Controls.h"
#include "Counts.h"
#include "ExpGenLib.h"
#include "FieldColour.h"
#include "NumberFormat.h"
#include "ParamPrompt.h"
#include "ParamsLine.h"
#include "Progress.h"

TForm2* Form2 = nullptr;

namespace {
const char* const CountHint = "Enter the count of random numbers, you want to generate";
const char* const KindHint = "Specify distribution of random variable";
const char* const ParamsHint = "Specify distribution parameters";
// The methods' hints as listed, "cumulaative", "approch" and "tranformation" included.
const char* const InverseHint =
    "This method transforms originally generated numbers with std. uniform distribution by "
    "inverse function to the cumulaative distribution function";
const char* const TransformationHint =
    "This method uses semi-empirical approch for each of possible distribution for "
    "tranformation original random numbers to required distribution";
const QString ProgressText = QStringLiteral("Generating random numbers...");

bool HasTransformation(TDistKind kind)
{
    return kind == TDistKind::Chi2 || kind == TDistKind::Student;
}
}  // namespace

TForm2::TForm2()
{
    Form2 = this;
    Name(this, "Form2", nullptr);
    setWindowTitle(QStringLiteral("Random generation form"));
    setWindowFlags(Qt::Tool | Qt::MSWindowsFixedSizeDialogHint);
    setFont(WindowFont());
    setFixedSize(290, 193);
    CentreOnScreen(this);

    Label1 = MakeLabel(this, "Label1", 8, 16, "Count of numbers", CountHint);
    Edit1 = MakeEdit(this, "Edit1", {120, 8, 73, 24}, "0", CountHint, false);
    Label2 = MakeLabel(this, "Label2", 8, 40, "Distribution type", KindHint);
    ComboBox1 = MakeList(this, "ComboBox1", {120, 32, 153, 24}, KindHint);
    Label3 = MakeLabel(this, "Label3", 8, 64, "Params", ParamsHint);
    Edit2 = MakeEdit(this, "Edit2", {120, 56, 153, 24}, "", ParamsHint, true);
    Label4 = MakeLabel(this, "Label4", 8, 88, "Method", "Specify generating method");
    RadioButton1 = MakeRadio(this, "RadioButton1", {56, 88, 113, 17}, "Inverse", InverseHint, true);
    RadioButton2 = MakeRadio(this, "RadioButton2", {56, 112, 217, 17},
                             "Transf. formula from other distrib.", TransformationHint, false);
    RadioButton3 = MakeRadio(this, "RadioButton3", {56, 136, 209, 17},
                             "Enhanced inverse: experimental", nullptr, false);
    NameField(Label1, Edit1);
    NameField(Label2, ComboBox1);
    NameField(Label3, Edit2);
    Button1 = MakeButton(this, "Button1", {8, 160, 265, 25}, "Generate now",
                         "Click to execute the generation process");
    // The transformation has generators for Chi2 and Student only, and the kind before any
    // choice is UniformStd.
    RadioButton2->setEnabled(false);

    TabChain({Edit1, ComboBox1, Edit2, RadioButton1, RadioButton2, Button1, RadioButton3});

    Wire(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    Wire(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    FormCreate();
}

void TForm2::FormCreate()
{
    ComboBox1->clear();
    for (int k = 0; k < DistKindCount; ++k)
        ComboBox1->addItem(QString::fromUtf8(DistKindName[k]));
    ComboBox1->setCurrentIndex(-1);
}

// The kind and its parameters change together, once every parameter was read (a value the kind
// cannot take is asked for again). A cancelled box changes nothing and shows the distribution
// picked before; an unreadable entry changes nothing and clears the selection; both silently.
void TForm2::ComboBox1Change()
{
    const int position = ComboBox1->currentIndex();
    if (position < 0) {
        SetFieldColour(ComboBox1, FieldColour::Rejected);
        return;
    }
    SetFieldColour(ComboBox1, FieldColour::Neutral);
    const TDistKind kind = DistListKind[position];
    const char separator = DecimalSeparatorOf(locale());
    TVector params;
    switch (PromptParams(this, kind, QStringLiteral("Enter distribution parameter"), separator, params)) {
    case TPromptEnd::Cancelled:
        ComboBox1->setCurrentIndex(GenListIndex);
        return;
    case TPromptEnd::Unreadable:
        GenListIndex = -1;
        ComboBox1->setCurrentIndex(-1);
        return;
    case TPromptEnd::Read:
        break;
    }
    GenKind = kind;
    GenParams = params;
    GenListIndex = position;
    ShowText(Edit2, QString::fromStdString(ParamsLine(kind, params, separator)));
    RadioButton2->setEnabled(HasTransformation(GenKind));
    // No generation may run without a generator.
    if (!RadioButton2->isEnabled() && RadioButton2->isChecked())
        RadioButton1->setChecked(true);
}

void TForm2::Button1Click()
{
    std::size_t count = 0;
    const TCountText read = ParseCount(Edit1->text().toStdString(), count);
    if (read == TCountText::NotNumber) {
        SetFieldColour(Edit1, FieldColour::Rejected);
        return;
    }
    SetFieldColour(Edit1, FieldColour::Neutral);
    if (read != TCountText::Valid) {
        CurrentPlatform().ShowMessage(this, QString::fromUtf8(CountMessage(read)));
        return;
    }
    TVector result;
    if (!Generate(count, result))
        return;  // cancelled: the buffer as it was, the dialog open
    Numbers.swap(result);
    HasNumbers = true;
    accept();
}

bool TForm2::TakeNumbers(TVector& into)
{
    if (!HasNumbers)
        return false;
    into.swap(Numbers);
    TVector().swap(Numbers);
    HasNumbers = false;
    return true;
}

bool TForm2::Generate(std::size_t count, TVector& result)
{
    if (RadioButton3->isChecked())
        return GenerateExperimental(count, result);
    const TGenMethod method = RadioButton2->isChecked() && HasTransformation(GenKind)
                                  ? TGenMethod::Transformation
                                  : TGenMethod::Inverse;
    TBulkGeneration generation(method, GenKind, GenParams, count);
    if (!RunWithProgress(
            this, ProgressText, [&] { return generation.Step(); },
            [&] { return generation.Progress(); }))
        return false;
    result.swap(generation.Result());
    return true;
}

// The thread is waited for with the event loop running, so the windows keep painting.
bool TForm2::GenerateExperimental(std::size_t count, TVector& result)
{
    TVector output(count);
    const TVector params = GenParams;  // the thread reads its own copy while the window paints
    TExpGen thread(output, static_cast<std::int32_t>(count), GenKind, params);
    GenThread = &thread;
    thread.Resume();
    const bool finished = WaitWithProgress(
        this, ProgressText, [&] { return thread.Done(); }, [] { return -1.0; });
    GenThread = nullptr;
    if (!finished) {
        // The thread sees the request between values and redraws; the windows keep painting
        // until it has ended.
        thread.Terminate();
        while (!thread.Done()) {
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        try {
            thread.WaitFor();
        } catch (...) {
            // The sample is dropped: an error inside it no longer matters.
        }
        return false;
    }
    thread.WaitFor();  // an error inside the thread reaches the default error handler
    result.swap(output);
    return true;
}
