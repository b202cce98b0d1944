// The fitting tab's Anderson-Darling and Kolmogorov-Smirnov tests: run with progress and
// Cancel, shown with their verdicts at the standard level.
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "Controls.h"
#include "Progress.h"
#include "Unit1.h"

bool TForm1::RunEdfTests(TEdfResult& result, TVector& sorted, const std::function<bool()>& alongside)
{
    // The bootstrap is seeded by the question itself: the same buffer and hypothesis get the
    // same p-values here, in the ranking and in a later run, and a test draws nothing from the
    // program's random source.
    TEdfTest test(DataBuffer, FitKind, FitParams, FitEstimated,
                  TEdfTest::SeedOf(DataBuffer, FitKind, FitParams, FitEstimated));
    // With the tests ended and the work beside them not, the share is unknown.
    const bool finished = WaitWithProgress(
        this, QStringLiteral("Testing the buffered data..."), [&] { return test.Done() && alongside(); },
        [&] { return test.Done() ? -1.0 : test.Progress(); });
    if (!finished)
        return false;  // the test cancels and waits for its threads as it goes
    result = test.Result();
    sorted = test.TakeSorted();
    return true;
}

void TForm1::ShowEdfResults()
{
    const char separator = DecimalSeparator();
    const auto show = [&](QLineEdit* field, QLabel* verdict, QColor& colour, bool ad) {
        if (LastEdf.n == 0) {
            // Every value sat at an estimated end of the support: nothing is left to test.
            ShowText(field, QStringLiteral("N/A"));
            verdict->setText(QStringLiteral("N/A"));
            colour = QColor(0, 0, 0);
            verdict->adjustSize();
            return;
        }
        ShowText(field, QString::fromStdString(EdfDetails(LastEdf, ad, separator)));
        const bool rejected = (ad ? LastEdf.pAD : LastEdf.pKS) < 0.05;
        verdict->setText(rejected ? QStringLiteral("is rejected.")
                                  : QStringLiteral("can not be rejected."));
        colour = rejected ? QColor(255, 0, 0) : QColor(0, 0, 255);
        verdict->adjustSize();
    };
    show(Edit13, Label24, AdVerdictColour, true);
    show(Edit14, Label26, KsVerdictColour, false);
    ShowTextColours();
    Panel6Resize();
}

// The verdicts keep to the right edge, and the result fields take the width between.
void TForm1::Panel6Resize()
{
    const int W = Panel6->width();
    const int verdicts = std::max(Label24->width(), Label26->width());
    const int left = std::max(Edit13->x() + 120, W - verdicts - 8);
    for (QLabel* verdict : {Label24, Label26})
        verdict->move(left, verdict->y());
    for (QLineEdit* field : {Edit13, Edit14}) {
        field->resize(left - field->x() - 8, field->height());
        RefreshTextTip(field);
    }
}
