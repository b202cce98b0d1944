#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QChartView>
#include <QFrame>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <memory>
#include <stdexcept>

#include "Checks.h"
#include "DataGridModel.h"
#include "ScriptedPlatform.h"
#include "Counts.h"
#include "Unit1.h"
#include "Unit2.h"
#include "UpDown.h"

namespace {
struct Windows : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<TForm1> form1 = std::make_unique<TForm1>();
    std::unique_ptr<TForm2> form2 = std::make_unique<TForm2>();

    template <class W>
    W* Find(const char* name)
    {
        W* w = form1->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    QString TextOf(const char* name)
    {
        QWidget* w = Find<QWidget>(name);
        if (auto* label = qobject_cast<QLabel*>(w))
            return label->text();
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            return edit->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            return button->text();
        return "<no text>";
    }

};

struct Control {
    const char* name;
    const char* text;
    const char* hint;
};

const char* const ProbHint =
    "Probability that random variable X will engange the value (select X or prob)";

const Control Controls[] = {
    {"Label1", "Distribution", "Select the type of distribution"},
    {"Label2", "Params", "Distribution parameters"},
    {"Edit1", "", "Distribution parameters"},
    {"Label3", "X", "Value of random variable (select X or prob)"},
    {"Edit2", "0", "Value of random variable (select X or prob)"},
    {"Label4", "Density", "Density of probabolity as a function of X or prob"},
    {"Edit3", "0", "Density of probabolity as a function of X or prob"},
    {"Label5", "Probability", ProbHint},
    {"Edit4", "", ProbHint},
    {"Button1", "Calc", "Click to recalculate"},
    {"Label6", "Show", "Click to show the image of distribution"},
    {"RadioButton1", "Density",
     "Select if you wish to show density or cumulative density of distribution"},
    {"RadioButton2", "Cumulative",
     "Select if you wish to show density or cumulative density of distribution"},
    {"Button2", "Show", "Click to show the image of distribution"},
    {"Label7", "Count:", ""},
    {"Edit5", "0", ""},
    {"Button3", "Copy", ""},
    {"Button4", "Paste", ""},
    {"Button6", "Generate RND", ""},
    {"Label8", "Test null hypothesis:", ""},
    {"Label9", "Buffered data origin is in the distribution defined as follows",
     "Null hypothesis"},
    {"Label10", "Distribution", "Distribution type"},
    {"Label11", "with params", "distribution parameters"},
    {"Edit6", "", "distribution parameters"},
    {"Label18", "of which ", "Cout of estimated parameters"},
    {"Edit10", "N/A", "Cout of estimated parameters"},
    {"Label19", "were estimated.", "Cout of estimated parameters"},
    {"Label12", "Test by histogram of", "The count of cathegories for test"},
    {"Edit7", "3", "The count of cathegories for test"},
    {"Label13", "cathegories on buffered data.", "The count of cathegories for test"},
    {"Button5", "Execute", "Execute test"},
    {"Label14", "Test assuptions:", "Claiming about test assumption"},
    {"Edit8", "N/A", "Claiming about test assumption"},
    {"Label16", "Found alpha:", "Level of significance of null hypothesis that was found"},
    {"Edit9", "N/A", "Level of significance of null hypothesis that was found"},
    {"Label20", "Test details:", "Test result details"},
    {"Edit11", "N/A", "Test result details"},
    {"Label15", "In the std. level of significance (5 %), null hypothesis",
     "Claiming about the null hypothesis on the std. level of significance."},
    {"Label17", "N/A", "Claiming about the null hypothesis on the std. level of significance."},
    {"Label21", "Show", ""},
    {"RadioButton3", "Density", ""},
    {"RadioButton4", "Cumulative", ""},
};
}  // namespace

TEST_F(Windows, EveryControlHasItsCaptionInitialTextAndHint)
{
    for (const Control& c : Controls) {
        EXPECT_EQ(TextOf(c.name), QString::fromUtf8(c.text)) << c.name;
        EXPECT_EQ(Find<QWidget>(c.name)->statusTip(), QString::fromUtf8(c.hint)) << c.name;
    }
    EXPECT_EQ(Find<QWidget>("ComboBox1")->statusTip(), "Select the type of distribution");
    EXPECT_EQ(Find<QWidget>("ComboBox2")->statusTip(), "Distribution type");
    EXPECT_EQ(Find<QWidget>("Chart1")->statusTip(), "The figure of probability distribution");
    EXPECT_EQ(Find<QWidget>("Chart2")->statusTip(), "Histogram");
    EXPECT_EQ(Find<QWidget>("UpDown2")->statusTip(), "The count of cathegories for test");
    EXPECT_EQ(Find<QWidget>("StatusBar1")->statusTip(), "Help");
    EXPECT_EQ(form1->statusTip(), "Mainform");
}

TEST_F(Windows, ReadOnlyFieldsAndInitialSelections)
{
    for (const char* name : {"Edit1", "Edit3", "Edit6", "Edit8", "Edit9", "Edit10", "Edit11"})
        EXPECT_TRUE(Find<QLineEdit>(name)->isReadOnly()) << name;
    for (const char* name : {"Edit2", "Edit4", "Edit5", "Edit7"})
        EXPECT_FALSE(Find<QLineEdit>(name)->isReadOnly()) << name;
    EXPECT_TRUE(form1->RadioButton1->isChecked());
    EXPECT_FALSE(form1->RadioButton2->isChecked());
    EXPECT_TRUE(form1->RadioButton3->isChecked());
    EXPECT_EQ(form1->UpDown1->Max(), static_cast<int>(MaxDataCount));
    EXPECT_EQ(form1->UpDown2->Min(), 3);
    EXPECT_EQ(form1->UpDown2->Max(), 150);
    EXPECT_EQ(form1->GridModel->Rows(), 1);
    EXPECT_EQ(form1->GridModel->CellText(0), "");
}

TEST_F(Windows, BothListsHoldEveryKindInCatalogueOrderWithNothingSelected)
{
    for (QComboBox* list : {form1->ComboBox1, form1->ComboBox2}) {
        ASSERT_EQ(list->count(), DistKindCount);
        for (int k = 0; k < DistKindCount; ++k)
            EXPECT_EQ(list->itemText(k), DistKindName[k]);
        EXPECT_EQ(list->itemText(8), "F-distribution");
        EXPECT_EQ(list->currentIndex(), -1);
    }
}

TEST_F(Windows, TabsAndFixedGeometry)
{
    EXPECT_EQ(form1->windowTitle(), "Velmora");
    ASSERT_EQ(form1->PageControl1->count(), 3);
    EXPECT_EQ(form1->PageControl1->tabText(0), "Velmora");
    EXPECT_EQ(form1->PageControl1->tabText(1), "Data");
    EXPECT_EQ(form1->PageControl1->tabText(2), "Distribution fitting");
    EXPECT_EQ(form1->PageControl1->currentIndex(), 0);
    EXPECT_EQ(form1->ComboBox1->geometry(), QRect(112, 8, 169, 24));
    EXPECT_EQ(form1->Edit4->geometry(), QRect(112, 56, 97, 24));
    EXPECT_EQ(form1->Button2->geometry(), QRect(216, 88, 65, 17));
    EXPECT_EQ(form1->Edit9->geometry(), QRect(448, 0, 73, 24));
    EXPECT_EQ(form1->Panel1->height(), 193);  // the described 121, and the rows of the modes and moments
    EXPECT_EQ(form1->Panel3->height(), 105);
    EXPECT_EQ(form1->Panel4->height(), 72);
    EXPECT_EQ(form1->Panel5->height(), 16);
    EXPECT_EQ(form1->StatusBar1->height(), 19);
    EXPECT_EQ(form1->font().pixelSize(), 13);
    EXPECT_EQ(form1->Label9->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

TEST_F(Windows, TabOrderOfTheCalculatorPanel)
{
    QWidget* expected[] = {form1->Edit4, form1->Edit12, form1->Edit3, form1->Edit2, form1->Edit1,
                           form1->ComboBox1, form1->Button2, form1->Button1,
                           form1->RadioButton1, form1->RadioButton2};
    for (int i = 0; i + 1 < 10; ++i)
        EXPECT_EQ(NextTabStop(expected[i]), expected[i + 1]) << i;
    // The added rows come after the described ones: the mode, b (passed over while disabled),
    // the mode's value, the moments.
    QWidget* added[] = {form1->RadioButton2, form1->ComboBox3, form1->Edit20, form1->Edit21,
                        form1->Edit22};
    for (int i = 0; i + 1 < 5; ++i)
        EXPECT_EQ(NextTabStop(added[i]), added[i + 1]) << i;
}

TEST_F(Windows, TabOrderOfTheDataTabsFiles)
{
    QWidget* expected[] = {form1->Button6, form1->Button9, form1->Button10, form1->Label35,
                           form1->StringGrid1};
    for (int i = 0; i + 1 < 5; ++i)
        EXPECT_EQ(NextTabStop(expected[i]), expected[i + 1]) << i;
}

TEST_F(Windows, GenerationDialogIsCreatedHidden)
{
    EXPECT_FALSE(form2->isVisible());
    EXPECT_EQ(form2->windowTitle(), "Random generation form");
    EXPECT_EQ(form2->size(), QSize(290, 193));
    EXPECT_EQ(Form2, form2.get());
    EXPECT_EQ(Form1, form1.get());
}

TEST(DefaultErrorHandler, ShowsTheMessageAndTheProgramGoesOn)
{
    ScriptedPlatform platform;
    QWidget window;
    RunHandler(&window, [] { throw EMathError("Floating point division by zero"); });
    RunHandler(&window, [] { throw EStat("Count of parameters was not found"); });
    bool ran = false;
    RunHandler(&window, [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_EQ(platform.owners, std::vector<QWidget*>({&window, &window}));
    EXPECT_EQ(platform.messages,
              QStringList({"Floating point division by zero", "Count of parameters was not found"}));
}
