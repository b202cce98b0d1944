// The generation dialog through its real widgets: its controls, the parameter entry, the three
// methods, refused counts and generations, and Cancel of a long generation.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <memory>

#include "DataGridModel.h"
#include "ExpGenLib.h"
#include "Generators.h"
#include "Checks.h"
#include "PlatformEvents.h"
#include "ScriptedPlatform.h"
#include "SimpleRandomLib.h"
#include "Unit1.h"
#include "Unit2.h"

namespace {
struct Dialog : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<TForm1> form1 = std::make_unique<TForm1>();
    std::unique_ptr<TForm2> form2 = std::make_unique<TForm2>();
    TVector buffer{1, 2, 3};

    void Pick(TDistKind kind, std::initializer_list<const char*> answers = {})
    {
        for (const char* a : answers)
            platform.inputs.push_back(a);
        form2->ComboBox1->setCurrentIndex(KindIndex(kind));
        emit form2->ComboBox1->activated(KindIndex(kind));
    }
    // Generates as the user does: the count, then a click on "Generate now"; the numbers the
    // dialog returns replace the buffer, as the main window stores them.
    void Generate(const char* count)
    {
        form2->Edit1->setText(count);
        form2->Button1->click();
        form2->TakeNumbers(buffer);
    }
    bool Accepted() const { return form2->result() == QDialog::Accepted; }
};
}  // namespace

TEST_F(Dialog, ControlsCaptionsHintsAndTabOrder)
{
    EXPECT_EQ(form2->windowTitle(), "Random generation form");
    EXPECT_EQ(form2->size(), QSize(290, 193));
    EXPECT_EQ(form2->font().pixelSize(), 13);
    EXPECT_EQ(form2->Label1->text(), "Count of numbers");
    EXPECT_EQ(form2->Edit1->statusTip(), "Enter the count of random numbers, you want to generate");
    EXPECT_EQ(form2->Edit1->geometry(), QRect(120, 8, 73, 24));
    EXPECT_EQ(form2->Label2->text(), "Distribution type");
    EXPECT_EQ(form2->ComboBox1->statusTip(), "Specify distribution of random variable");
    EXPECT_EQ(form2->ComboBox1->geometry(), QRect(120, 32, 153, 24));
    EXPECT_EQ(form2->Label3->statusTip(), "Specify distribution parameters");
    EXPECT_TRUE(form2->Edit2->isReadOnly());
    EXPECT_EQ(form2->Label4->text(), "Method");
    EXPECT_EQ(form2->Label4->statusTip(), "Specify generating method");
    EXPECT_EQ(form2->RadioButton1->text(), "Inverse");
    EXPECT_TRUE(form2->RadioButton1->isChecked());
    EXPECT_EQ(form2->RadioButton1->statusTip(),
              "This method transforms originally generated numbers with std. uniform "
              "distribution by inverse function to the cumulaative distribution function");
    EXPECT_EQ(form2->RadioButton2->text(), "Transf. formula from other distrib.");
    EXPECT_EQ(form2->RadioButton2->statusTip(),
              "This method uses semi-empirical approch for each of possible distribution for "
              "tranformation original random numbers to required distribution");
    EXPECT_EQ(form2->RadioButton3->text(), "Enhanced inverse: experimental");
    EXPECT_EQ(form2->RadioButton3->statusTip(), "");
    EXPECT_EQ(form2->Button1->text(), "Generate now");
    EXPECT_EQ(form2->Button1->statusTip(), "Click to execute the generation process");
    EXPECT_EQ(form2->Button1->geometry(), QRect(8, 160, 265, 25));
    ASSERT_EQ(form2->ComboBox1->count(), DistKindCount);
    EXPECT_EQ(form2->ComboBox1->itemText(16), "Gamma");
    EXPECT_EQ(form2->ComboBox1->currentIndex(), -1);
    QWidget* order[] = {form2->Edit1, form2->ComboBox1, form2->Edit2, form2->RadioButton1,
                        form2->RadioButton2, form2->Button1, form2->RadioButton3};
    for (int i = 0; i + 1 < 7; ++i)
        EXPECT_EQ(NextTabStop(order[i]), order[i + 1]) << i;
}

TEST_F(Dialog, ParametersAreAskedForAndShown)
{
    Pick(TDistKind::Normal, {"1.5", "2"});
    EXPECT_EQ(platform.prompts,
              QStringList({"Enter distribution parameter|mu", "Enter distribution parameter|ro"}));
    EXPECT_EQ(form2->Edit2->text(), "mu=1.5; ro=2; ");
    EXPECT_EQ(form2->GenKind, TDistKind::Normal);
    EXPECT_EQ(form2->GenParams, (TVector{1.5, 2}));
    // A cancelled or unreadable entry: silent, no selection, kind and parameters as before.
    Pick(TDistKind::Beta, {"2"});
    Pick(TDistKind::Chi2, {"x"});
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(form2->ComboBox1->currentIndex(), -1);
    EXPECT_EQ(form2->GenKind, TDistKind::Normal);
    EXPECT_EQ(form2->GenParams, (TVector{1.5, 2}));
    EXPECT_EQ(form2->Edit2->text(), "mu=1.5; ro=2; ");
}

TEST_F(Dialog, TheTransformationIsOfferedForChi2AndStudentOnly)
{
    EXPECT_FALSE(form2->RadioButton2->isEnabled());
    Pick(TDistKind::Chi2, {"4"});
    EXPECT_TRUE(form2->RadioButton2->isEnabled());
    form2->RadioButton2->setChecked(true);
    Pick(TDistKind::Student, {"4"});
    EXPECT_TRUE(form2->RadioButton2->isChecked());
    // Disabled while selected: the inverse method takes its place.
    Pick(TDistKind::Normal, {"0", "1"});
    EXPECT_FALSE(form2->RadioButton2->isEnabled());
    EXPECT_TRUE(form2->RadioButton1->isChecked());
}

TEST_F(Dialog, RefusedCountsChangeNothing)
{
    const TVector before = buffer;
    Generate("abc");
    EXPECT_EQ(form2->Edit1->palette().color(QPalette::Base), QColor(255, 0, 0));
    for (const char* count : {"-3", "9999999999"}) {
        Generate(count);
        EXPECT_EQ(platform.messages.size(), 1) << count;
        platform.messages.clear();
    }
    EXPECT_TRUE(SameBits(buffer, before));
    EXPECT_FALSE(Accepted());
}

TEST_F(Dialog, ACountOfZeroEmptiesTheBuffer)
{
    Generate("0");
    EXPECT_TRUE(buffer.empty());
    EXPECT_TRUE(Accepted());
}

// Before any choice the dialog generates standard uniform numbers.
TEST_F(Dialog, EachMethodGivesTheNumbersOfItsGenerator)
{
    SeedRandom(11);
    Generate("1000");
    SeedRandom(11);
    TVector expected(1000);
    for (double& v : expected)
        v = GenInverse(TDistKind::UniformStd, {});
    EXPECT_TRUE(SameBits(buffer, expected));

    Pick(TDistKind::Chi2, {"3"});
    form2->RadioButton2->setChecked(true);
    SeedRandom(12);
    Generate("3000");
    SeedRandom(12);
    expected.assign(3000, 0);
    for (double& v : expected)
        v = GenChi2Sum(TDistKind::Chi2, {3});
    EXPECT_TRUE(SameBits(buffer, expected));

    Pick(TDistKind::Weibull, {"1.5", "2"});
    form2->RadioButton3->setChecked(true);
    SeedRandom(13);
    Generate("500");
    SeedRandom(13);
    expected.assign(500, 0);
    const TVector weibull{1.5, 2};
    TExpGen direct(expected, 500, TDistKind::Weibull, weibull);
    direct.Resume();
    direct.WaitFor();
    EXPECT_TRUE(SameBits(buffer, expected));
    EXPECT_TRUE(Accepted());
}

// Pareto with alpha 0 divides by zero: reported, the buffer unchanged and the dialog open.
// (The prompt refuses such a value; the dialog's parameters are set here as a caller could.)
TEST_F(Dialog, ErrorsOfEveryMethodLeaveTheBuffer)
{
    const TVector before = buffer;
    form2->GenKind = TDistKind::Pareto;
    form2->GenParams = {1, 0};
    for (QRadioButton* method : {form2->RadioButton1, form2->RadioButton3}) {
        method->setChecked(true);
        platform.messages.clear();
        Generate("100");
        EXPECT_EQ(platform.messages, QStringList({"Floating point division by zero"}));
        EXPECT_TRUE(SameBits(buffer, before));
        EXPECT_FALSE(Accepted());
    }
}

TEST_F(Dialog, CancelOfALongGenerationChangesNothing)
{
    const TVector before = buffer;
    Pick(TDistKind::Chi2, {"1000"});
    form2->RadioButton2->setChecked(true);
    bool shown = false;
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(w); progress && progress->isVisible()) {
                shown = true;
                progress->cancel();
            }
    });
    cancel.start(100);
    Generate("1000000");
    EXPECT_TRUE(shown);
    EXPECT_TRUE(SameBits(buffer, before));
    EXPECT_FALSE(Accepted());
    EXPECT_TRUE(platform.messages.isEmpty());
    // The experimental method's thread is stopped and waited for.
    form2->RadioButton3->setChecked(true);
    Pick(TDistKind::Chi2, {"300"});
    shown = false;
    Generate("3000000");
    EXPECT_TRUE(shown);
    EXPECT_TRUE(SameBits(buffer, before));
    EXPECT_EQ(form2->GenThread, nullptr);
}

TEST_F(Dialog, GenerateRndOpensTheDialogWithTheBuffersLength)
{
    form1->DataBuffer.assign(250, 1.0);
    QString preset;
    QTimer::singleShot(0, [&] {
        preset = form2->Edit1->text();
        form2->reject();  // closed by the user: nothing changes
    });
    form1->Button6->click();
    EXPECT_EQ(preset, "250");
    EXPECT_EQ(form1->DataBuffer.size(), 250u);
    QTimer::singleShot(0, [&] {
        form2->Edit1->setText("7");
        form2->Button1->click();
    });
    form1->Button6->click();
    EXPECT_EQ(form1->DataBuffer.size(), 7u);
    EXPECT_EQ(form1->Edit5->text(), "7");
    EXPECT_EQ(form1->GridModel->Rows(), 7);
}
