// The Data tab through its real widgets: the count, the grid, Copy and Paste.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <memory>

#include "DataGridModel.h"
#include "Checks.h"
#include "PlatformEvents.h"
#include "ScriptedPlatform.h"
#include "Unit1.h"
#include "UpDown.h"

namespace {
const QString Apply = "Do you want to apply changeis in data?";
const QString RowQuestion =
    "There is an row vector in the clipboard. Do you want it load it as a column vector?";

struct DataTab : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();

    void SetUp() override
    {
        ASSERT_TRUE(ShowActive(form.get()));
        form->PageControl1->setCurrentWidget(form->TabSheet2);
    }
    void Load(const TVector& values)
    {
        form->DataBuffer = values;
        form->TabSheet2Show();
    }
    QColor Colour(QLineEdit* e) { return e->palette().color(QPalette::Base); }
    // Clicks a cell and types over it, as a user does; the editor stays open.
    void TypeInto(int row, const QString& text)
    {
        QTableView* grid = form->StringGrid1;
        grid->scrollTo(form->GridModel->index(row, 0));
        ClickAt(grid->viewport(), grid->visualRect(form->GridModel->index(row, 0)).center());
        TypeKeys(form.get(), text);
    }
    QToolButton* SpinUp() { return form->UpDown1->findChildren<QToolButton*>()[0]; }
};
}  // namespace

TEST_F(DataTab, ShowingTheTabShowsTheBuffer)
{
    EXPECT_EQ(form->Edit5->text(), "0");
    EXPECT_EQ(form->GridModel->Rows(), 1);  // an empty buffer shows one empty row
    form->DataBuffer = {1, 2.5, 1E20};
    form->PageControl1->setCurrentWidget(form->TabSheet1);
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    EXPECT_EQ(form->Edit5->text(), "3");
    EXPECT_EQ(form->GridModel->Rows(), 3);
    EXPECT_EQ(form->GridModel->CellText(2), "1E20");
    EXPECT_EQ(form->StringGrid1->columnWidth(0), 220);
}

TEST_F(DataTab, TheCountResizesBufferAndGrid)
{
    Load({4, 5, 6});
    form->Edit5->setText("5");
    EXPECT_EQ(form->DataBuffer, (TVector{4, 5, 6, 0, 0}));
    EXPECT_EQ(form->GridModel->Rows(), 5);
    EXPECT_EQ(form->GridModel->CellText(4), "");  // new rows are not filled in
    form->Edit5->setText("2");
    EXPECT_EQ(form->DataBuffer, (TVector{4, 5}));
    form->Edit5->setText("");
    EXPECT_EQ(Colour(form->Edit5), QColor(255, 0, 0));
    EXPECT_EQ(form->DataBuffer.size(), 2u);
    // The spinner steps by one and writes plain digits.
    form->Edit5->setText("999");
    QTest::mouseClick(SpinUp(), Qt::LeftButton);
    EXPECT_EQ(form->Edit5->text(), "1000");
    EXPECT_EQ(form->DataBuffer.size(), 1000u);
    form->Edit5->setText("40000");  // a typed count is not limited by the spinner
    EXPECT_EQ(form->DataBuffer.size(), 40000u);
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(DataTab, ACountTooLargeChangesNothing)
{
    Load({1, 2});
    form->Edit5->setText("9999999999");
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(Colour(form->Edit5), QColor(255, 0, 0));
    EXPECT_EQ(form->DataBuffer, (TVector{1, 2}));
    EXPECT_EQ(form->GridModel->Rows(), 2);
}

TEST_F(DataTab, CountFieldTakesDigitsAndEditingKeysOnly)
{
    form->Edit5->setFocus();
    form->Edit5->clear();
    TypeKeys(form.get(), "1a-2.,+ 3e");
    EXPECT_EQ(form->Edit5->text(), "123");
    PressKey(form.get(), Qt::Key_Backspace, "\b");
    PressKey(form.get(), Qt::Key_Home, "");
    PressKey(form.get(), Qt::Key_Delete, "\x7f");
    EXPECT_EQ(form->Edit5->text(), "2");
    EXPECT_EQ(form->DataBuffer.size(), 2u);
    PressKey(form.get(), Qt::Key_V, "\x16", Qt::ControlModifier);
    EXPECT_EQ(form->Edit5->text(), "2");
}

// Typing 1.50 over 1.5 differs as text: leaving the grid by a click on Copy asks first, and
// the click is not carried out under the question.
TEST_F(DataTab, LeavingTheGridByAClickAsksToApply)
{
    Load({1.5, 2});
    TypeInto(0, "1.50");
    platform.answers = {true};
    ClickAt(form->Button3, {5, 5});
    EXPECT_EQ(platform.messages, QStringList({Apply}));
    EXPECT_EQ(form->DataBuffer, (TVector{1.5, 2}));
    EXPECT_EQ(platform.clipboard, "");
    EXPECT_EQ(form->GridModel->CellText(0), "1.50");  // the text stays as typed
    ClickAt(form->Button3, {5, 5});  // the grid was left: Copy runs
    EXPECT_EQ(platform.clipboard, "1.5\r\n2\r\n");
}

TEST_F(DataTab, AppliedEditsReachTheBuffer)
{
    Load({1, 2, 3});
    TypeInto(1, "-7.25");
    platform.answers = {true};
    PressKey(form.get(), Qt::Key_Tab, "\t");  // Tab leaves the grid from the cell editor
    EXPECT_EQ(platform.messages, QStringList({Apply}));
    EXPECT_EQ(form->DataBuffer, (TVector{1, -7.25, 3}));
    EXPECT_NE(QApplication::focusWidget(), form->StringGrid1);
    EXPECT_EQ(form->GridModel->HeldTexts(), 0u);
    // Nothing differs now: leaving again asks nothing.
    form->StringGrid1->setFocus();
    form->Button4->setFocus();
    EXPECT_EQ(platform.messages.size(), 1);
}

TEST_F(DataTab, NoKeepsTheTextsAndTheQuestionComesAgain)
{
    Load({1, 2});
    TypeInto(0, "5");
    ClickAt(form->Edit5, {5, 5});  // No
    EXPECT_EQ(form->DataBuffer, (TVector{1, 2}));
    EXPECT_EQ(form->GridModel->CellText(0), "5");
    form->StringGrid1->setFocus();
    form->Edit5->setFocus();
    EXPECT_EQ(platform.messages, QStringList({Apply, Apply}));
}

// An unreadable cell applies nothing, not even the cells before it.
TEST_F(DataTab, AnUnreadableCellAppliesNothing)
{
    const TVector before{0.1 + 0.2, 2, 3, 4};
    Load(before);
    form->GridModel->setData(form->GridModel->index(1, 0), "9", Qt::EditRole);
    form->GridModel->setData(form->GridModel->index(2, 0), "x", Qt::EditRole);
    platform.answers = {true};
    form->StringGrid1->setFocus();
    form->Button3->setFocus();
    EXPECT_EQ(platform.messages, QStringList({Apply, "Invalid number format."}));
    EXPECT_TRUE(SameBits(form->DataBuffer, before));
    // Once corrected, only the typed rows change; the others keep every digit.
    form->GridModel->setData(form->GridModel->index(2, 0), "8", Qt::EditRole);
    platform.answers = {true};
    form->StringGrid1->setFocus();
    form->Button3->setFocus();
    EXPECT_TRUE(SameBits(form->DataBuffer, TVector{0.1 + 0.2, 9, 8, 4}));
}

// Rows added by a larger count are empty: they differ, and their empty text does not parse.
TEST_F(DataTab, RowsAddedByTheCountAreEmpty)
{
    Load({1});
    form->Edit5->setText("3");
    platform.answers = {true};
    form->StringGrid1->setFocus();
    form->Button3->setFocus();
    EXPECT_EQ(platform.messages, QStringList({Apply, "Invalid number format."}));
    EXPECT_EQ(form->DataBuffer, (TVector{1, 0, 0}));
    form->TabSheet2Show();
    form->StringGrid1->setFocus();
    form->Button3->setFocus();
    EXPECT_EQ(platform.messages.size(), 2);
}

TEST_F(DataTab, TextTypedIntoTheRowOfAnEmptyBufferIsIgnored)
{
    TypeInto(0, "12");
    ClickAt(form->Button3, {5, 5});
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_TRUE(form->DataBuffer.empty());
}

TEST_F(DataTab, SwitchingTabsAsksBeforeTheSwitch)
{
    Load({1, 2});
    TypeInto(0, "3");
    int tabAtQuestion = -1;
    platform.onQuestion = [&] { tabAtQuestion = form->PageControl1->currentIndex(); };
    platform.answers = {true};
    QTabBar* tabs = form->PageControl1->tabBar();
    ClickAt(tabs, tabs->tabRect(0).center());
    EXPECT_EQ(tabAtQuestion, 1);
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_EQ(form->DataBuffer, (TVector{3, 2}));
}

TEST_F(DataTab, CopyPutsEveryEntryOnTheClipboard)
{
    Load({1, 2.5, 1E20});
    form->Button3->click();
    EXPECT_EQ(platform.clipboard, "1\r\n2.5\r\n1E20\r\n");
    Load({});
    form->Button3->click();
    EXPECT_EQ(platform.clipboard, "");
}

TEST_F(DataTab, PasteOfARowOrAColumn)
{
    platform.clipboard = "1\t2\t3\r\n";
    platform.answers = {false};
    form->Button4->click();
    EXPECT_EQ(platform.messages, QStringList({RowQuestion}));
    EXPECT_TRUE(form->DataBuffer.empty());
    platform.answers = {true};
    form->Button4->click();
    EXPECT_EQ(form->DataBuffer, (TVector{1, 2, 3}));
    EXPECT_EQ(form->Edit5->text(), "3");
    platform.clipboard = "4\r\n5.5\r\n";
    form->Button4->click();
    EXPECT_EQ(form->DataBuffer, (TVector{4, 5.5}));
    EXPECT_EQ(form->GridModel->CellText(1), "5.5");
}

// A text of the wrong shape or with a bad line leaves the buffer entry for entry as it was.
TEST_F(DataTab, RefusedPastesChangeNothing)
{
    const TVector before{0.1 + 0.2, -4, 1E-300};
    Load(before);
    struct Refusal {
        const char* text;
        const char* message;
    } refusals[] = {
        {"5", "Structure in clipboard was not recognized. Please use std. table format of row "
              "or column vector."},
        {"5\r\n", "Structure in clipboard was not recognized. Please use std. table format of "
                  "row or column vector."},
        {"1\n2\n", "Structure in clipboard was not recognized. Please use std. table format of "
                   "row or column vector."},
        {"1\t2\r\n3\t4", "There is a 2D structure in the clipboard. You can paste only row or "
                         "column vector to the table."},
        {"1\r\n\r\n2", "Invalid number format"},
        {"1\r\n2\r\n3\r\n4\r\nabc", "Invalid number format"},
    };
    for (const Refusal& r : refusals) {
        platform.messages.clear();
        platform.clipboard = r.text;
        form->Button4->click();
        EXPECT_EQ(platform.messages, QStringList({r.message})) << r.text;
        EXPECT_TRUE(SameBits(form->DataBuffer, before)) << r.text;
        EXPECT_EQ(form->Edit5->text(), "3");
    }
}

TEST_F(DataTab, CopyThenPasteGivesTheSameBuffer)
{
    const TVector values{0.1, -123456789.012345, 1E20, 9.9E-5, 0, 2.5E-310};
    Load(values);
    form->Button3->click();
    Load({});
    form->Button4->click();
    EXPECT_TRUE(SameBits(form->DataBuffer, values));
}

// A million numbers: shown at once, scrolled to the end, one cell edited and applied.
TEST_F(DataTab, AMillionNumbers)
{
    TVector values(1000000);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<double>(i) / 8;
    Load(values);
    EXPECT_EQ(form->Edit5->text(), "1000000");
    EXPECT_EQ(form->GridModel->Rows(), 1000000);
    form->StringGrid1->scrollToBottom();
    QApplication::processEvents();
    EXPECT_EQ(form->GridModel->CellText(999999), "124999.875");
    TypeInto(999999, "7");
    platform.answers = {true};
    PressKey(form.get(), Qt::Key_Tab, "\t");
    EXPECT_EQ(platform.messages, QStringList({Apply}));
    EXPECT_EQ(form->DataBuffer[999999], 7);
    EXPECT_EQ(form->DataBuffer[999998], 999998.0 / 8);
    form->Button3->click();
    EXPECT_TRUE(platform.clipboard.startsWith("0\r\n0.125\r\n0.25\r\n"));
    EXPECT_TRUE(platform.clipboard.endsWith("\r\n124999.75\r\n7\r\n"));
}
