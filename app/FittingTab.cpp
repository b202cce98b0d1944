// The fitting tab: its controls, their places, hints and screen-reader names, and their
// wiring. Its handlers are in FittingHandlers.cpp, its histogram in FittingHistogram.cpp.
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

#include "Controls.h"
#include "Unit1.h"
#include "UpDown.h"

void TForm1::WireFittingTab()
{
    Wire(ComboBox2, &QComboBox::activated, this, [this](QObject* s) { ComboBox2Change(s); });
    Wire(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    Wire(Edit7, &QLineEdit::textEdited, this, [this] { CategoriesSetByUser = true; });
    Wire(Edit7, &QLineEdit::editingFinished, this, [this] { Edit7Apply(); });
    Wire(UpDown2, &TUpDown::Stepped, this, [this] {
        CategoriesSetByUser = true;
        Edit7Apply();
    });
    Edit7->installEventFilter(this);
    Wire(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    Wire(Button11, &QPushButton::clicked, this, [this] { Button11Click(); });
    WireSelected({RadioButton3, RadioButton4, RadioButton5, RadioButton6, RadioButton7}, this,
                 [this] { RadioButton3Click(); });
    Wire(Edit15, &QLineEdit::returnPressed, this, [this] { Edit15Apply(); });
    Wire(Edit16, &QLineEdit::returnPressed, this, [this] { Edit16Apply(); });
    Wire(Edit18, &QLineEdit::returnPressed, this, [this] { Edit18Apply(); });
    Wire(Button8, &QPushButton::clicked, this, [this] { Button8Click(); });
    Panel4->installEventFilter(this);
    Panel6->installEventFilter(this);
}

void TForm1::BuildFittingTab()
{
    TabSheet3 = MakeTab(PageControl1, "TabSheet3", "Distribution fitting");
    Panel3 = MakePanel(TabSheet3, "Panel3", 105, true);
    Panel4 = MakePanel(TabSheet3, "Panel4", 72, true);
    Panel5 = MakePanel(TabSheet3, "Panel5", 16, false);

    // Hints and captions as listed, "Cout", "cathegories" and "assuptions" included.
    const char* estimatedHint = "Cout of estimated parameters";
    const char* categoriesHint = "The count of cathegories for test";
    const char* assumptionHint = "Claiming about test assumption";
    const char* alphaHint = "Level of significance of null hypothesis that was found";
    const char* detailsHint = "Test result details";
    const char* verdictHint =
        "Claiming about the null hypothesis on the std. level of significance.";
    Label8 = MakeLabel(Panel3, "Label8", 8, 8, "Test null hypothesis:", nullptr);
    Label9 = MakeLabel(Panel3, "Label9", 136, 8,
                       "Buffered data origin is in the distribution defined as follows",
                       "Null hypothesis");
    Label10 = MakeLabel(Panel3, "Label10", 8, 32, "Distribution", "Distribution type");
    ComboBox2 = MakeList(Panel3, "ComboBox2", {136, 24, 169, 24}, "Distribution type");
    Label11 = MakeLabel(Panel3, "Label11", 8, 56, "with params", "distribution parameters");
    Edit6 = MakeEdit(Panel3, "Edit6", {136, 48, 169, 24}, "", "distribution parameters", true);
    Label18 = MakeLabel(Panel3, "Label18", 312, 56, "of which ", estimatedHint);
    Edit10 = MakeEdit(Panel3, "Edit10", {368, 48, 41, 24}, "N/A", estimatedHint, true);
    Label19 = MakeLabel(Panel3, "Label19", 416, 56, "were estimated.", estimatedHint);
    Label12 = MakeLabel(Panel3, "Label12", 8, 80, "Test by histogram of", categoriesHint);
    Edit7 = MakeEdit(Panel3, "Edit7", {136, 72, 41, 24}, "3", categoriesHint, false);
    UpDown2 = Placed(new TUpDown(Panel3, Edit7, 3, 150, 3), "UpDown2", {177, 72, 16, 24},
                     categoriesHint);
    Label13 = MakeLabel(Panel3, "Label13", 200, 80, "cathegories on buffered data.",
                        categoriesHint);
    Button5 = MakeButton(Panel3, "Button5", {448, 72, 75, 25}, "Execute", "Execute test");
    Button7 = MakeButton(Panel3, "Button7", {448, 24, 75, 25}, "Rank all",
                         "Fit every distribution to the buffered data and rank them by AIC");

    Label14 = MakeLabel(Panel4, "Label14", 8, 8, "Test assuptions:", assumptionHint);
    Edit8 = MakeEdit(Panel4, "Edit8", {112, 0, 233, 24}, "N/A", assumptionHint, true);
    Label16 = MakeLabel(Panel4, "Label16", 368, 8, "Found alpha:", alphaHint);
    Edit9 = MakeEdit(Panel4, "Edit9", {448, 0, 73, 24}, "N/A", alphaHint, true);
    Label20 = MakeLabel(Panel4, "Label20", 8, 24, "Test details:", detailsHint);
    Edit11 = MakeEdit(Panel4, "Edit11", {112, 24, 233, 24}, "N/A", detailsHint, true);
    Label15 = MakeLabel(Panel4, "Label15", 8, 48,
                        "In the std. level of significance (5 %), null hypothesis", verdictHint);
    Label17 = MakeLabel(Panel4, "Label17", 320, 48, "N/A", verdictHint);
    Button11 = MakeButton(Panel4, "Button11", {432, 46, 90, 24}, "Save report...",
                          "Save the last run's description, estimates, tests, charts and ranking "
                          "as an HTML or Markdown report");

    for (auto [label, field] :
         {std::pair<QLabel*, QWidget*>{Label10, ComboBox2}, {Label11, Edit6}, {Label12, Edit7},
          {Label14, Edit8}, {Label16, Edit9}, {Label20, Edit11}})
        NameField(label, field);
    // "of which [Edit10] were estimated.": the field is named by both captions.
    NameField(Label18, Edit10);
    Edit10->setAccessibleName(Label18->text().trimmed() + " … " + Label19->text().chopped(1));
    BuildEdfPanel();
    Label21 = MakeLabel(Panel5, "Label21", 0, 0, "Show", nullptr);
    RadioButton3 = MakeRadio(Panel5, "RadioButton3", {40, -1, 73, 17}, "Density", nullptr, true);
    RadioButton4 =
        MakeRadio(Panel5, "RadioButton4", {112, -1, 113, 17}, "Cumulative", nullptr, false);
    RadioButton5 = MakeRadio(Panel5, "RadioButton5", {232, -1, 57, 17}, "Q-Q",
                             "Buffered data quantiles against those of the hypothesis", false);
    RadioButton6 = MakeRadio(Panel5, "RadioButton6", {296, -1, 57, 17}, "P-P",
                             "Buffered data probabilities against those of the hypothesis", false);
    RadioButton7 = MakeRadio(Panel5, "RadioButton7", {360, -1, 89, 17}, "Estimates",
                             "The estimates with their standard errors and confidence intervals, "
                             "a fitted quantile and a fitted tail",
                             false);

    Chart2 = MakeChart(TabSheet3, "Chart2", "Histogram");
    BuildChart2();
    BuildEstimatesPanel();

    for (QWidget* w : {static_cast<QWidget*>(Panel3), static_cast<QWidget*>(Panel4),
                       static_cast<QWidget*>(Panel6), static_cast<QWidget*>(Panel5),
                       static_cast<QWidget*>(Chart2), static_cast<QWidget*>(Panel7)})
        TabSheet3->layout()->addWidget(w);
    WireFittingTab();
}

// The Anderson-Darling and Kolmogorov-Smirnov lines: the statistic with its p-value, and the
// verdict at the standard level beside it.
void TForm1::BuildEdfPanel()
{
    Panel6 = MakePanel(TabSheet3, "Panel6", 54, true);
    const char* adHint = "Anderson-Darling statistic and its p-value";
    const char* ksHint = "Kolmogorov-Smirnov statistic and its p-value";
    const char* adVerdictHint = "Claiming about the null hypothesis by the Anderson-Darling test "
                                "on the std. level of significance.";
    const char* ksVerdictHint = "Claiming about the null hypothesis by the Kolmogorov-Smirnov test "
                                "on the std. level of significance.";
    Label23 = MakeLabel(Panel6, "Label23", 8, 10, "Anderson-Darling:", adHint);
    Edit13 = MakeEdit(Panel6, "Edit13", {144, 2, 233, 24}, "N/A", adHint, true);
    Label24 = MakeLabel(Panel6, "Label24", 384, 10, "N/A", adVerdictHint);
    Label25 = MakeLabel(Panel6, "Label25", 8, 34, "Kolmogorov-Smirnov:", ksHint);
    Edit14 = MakeEdit(Panel6, "Edit14", {144, 26, 233, 24}, "N/A", ksHint, true);
    Label26 = MakeLabel(Panel6, "Label26", 384, 34, "N/A", ksVerdictHint);
    NameField(Label23, Edit13);
    NameField(Label25, Edit14);
    Label24->setAccessibleName(QStringLiteral("Anderson-Darling verdict"));
    Label26->setAccessibleName(QStringLiteral("Kolmogorov-Smirnov verdict"));
}
