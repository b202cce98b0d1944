// The Data tab through its real widgets: the count, the grid, Copy and Paste.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QWheelEvent>
#include <QToolButton>
#include <functional>
#include <memory>
#include <QItemSelectionModel>

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
    // Types a count over the field's text and finishes it with Enter, as a user does.
    void TypeCount(const QString& text)
    {
        form->Edit5->setFocus();
        form->Edit5->selectAll();
        PressKey(form.get(), Qt::Key_Delete, "\x7f");
        TypeKeys(form.get(), text);
        PressKey(form.get(), Qt::Key_Return, "\r");
    }
    void Wheel(QWidget* widget, int notches)
    {
        QWheelEvent wheel(QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &wheel);
    }
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
    TypeCount("5");
    EXPECT_EQ(form->DataBuffer, (TVector{4, 5, 6, 0, 0}));
    EXPECT_EQ(form->GridModel->Rows(), 5);
    EXPECT_EQ(form->GridModel->CellText(4), "0");  // a new row shows its entry
    TypeCount("2");
    EXPECT_EQ(form->DataBuffer, (TVector{4, 5}));
    TypeCount("");
    EXPECT_EQ(Colour(form->Edit5), QColor(255, 0, 0));
    EXPECT_EQ(form->DataBuffer.size(), 2u);
    // The spinner steps by one and writes plain digits.
    TypeCount("999");
    QTest::mouseClick(SpinUp(), Qt::LeftButton);
    EXPECT_EQ(form->Edit5->text(), "1000");
    EXPECT_EQ(form->DataBuffer.size(), 1000u);
    TypeCount("40000");
    EXPECT_EQ(form->DataBuffer.size(), 40000u);
    EXPECT_TRUE(platform.messages.isEmpty());
}

// One click on the spinner deleted 68,000 of 100,000 numbers (it clamped to 32000): it steps
// from the count, and so do the Up and Down keys and the wheel over the field.
TEST_F(DataTab, TheSpinnerStepsFromTheCountAndNeverDropsData)
{
    TVector values(100000);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<double>(i);
    Load(values);
    QTest::mouseClick(SpinUp(), Qt::LeftButton);
    EXPECT_EQ(form->Edit5->text(), "100001");
    ASSERT_EQ(form->DataBuffer.size(), 100001u);
    EXPECT_EQ(form->DataBuffer[99999], 99999.0);
    form->Edit5->setFocus();
    PressKey(form.get(), Qt::Key_Down, "");
    PressKey(form.get(), Qt::Key_Down, "");
    EXPECT_EQ(form->Edit5->text(), "99999");
    EXPECT_EQ(form->DataBuffer.size(), 99999u);
    Wheel(form->Edit5, 1);
    EXPECT_EQ(form->Edit5->text(), "100000");
    EXPECT_EQ(form->DataBuffer.size(), 100000u);
    EXPECT_EQ(form->DataBuffer[99998], 99998.0);
    // The category count of the fitting tab takes the same keys and wheel, within 3 to 150.
    form->PageControl1->setCurrentWidget(form->TabSheet3);
    EXPECT_EQ(form->Edit7->text(), "150");  // follows the buffer's size: 2 n^(2/5) is 199
    form->Edit7->setText("3");
    form->Edit7->setFocus();
    PressKey(form.get(), Qt::Key_Up, "");
    EXPECT_EQ(form->Edit7->text(), "4");
    Wheel(form->Edit7, -1);
    Wheel(form->Edit7, -1);
    EXPECT_EQ(form->Edit7->text(), "3");
}

// 150 categories are PageUp steps of ten, not 147 clicks; in the typed field Home and End
// move the cursor. The keys reach the field as a user presses them, Tab having moved focus to
// it.
TEST_F(DataTab, PageAndEndKeysStepTheCountsWithinTheirRanges)
{
    form->PageControl1->setCurrentWidget(form->TabSheet3);
    form->Edit10->setFocus();
    PressKey(form.get(), Qt::Key_Tab, "\t");
    ASSERT_EQ(QApplication::focusWidget(), form->Edit7);
    QLineEdit* k = form->Edit7;
    PressKey(form.get(), Qt::Key_PageUp, "");
    EXPECT_EQ(k->text(), "13");
    PressKey(form.get(), Qt::Key_PageDown, "");
    PressKey(form.get(), Qt::Key_PageDown, "");
    EXPECT_EQ(k->text(), "3");  // stops at the lower end
    PressKey(form.get(), Qt::Key_End, "");
    EXPECT_EQ(k->text(), "3");
    for (int i = 0; i < 15; ++i)
        PressKey(form.get(), Qt::Key_PageUp, "");
    EXPECT_EQ(k->text(), "150");  // stops at the upper end
    PressKey(form.get(), Qt::Key_Up, "");
    EXPECT_EQ(k->text(), "150");
    // Digits type a count, Enter checks it: beyond 3 to 150 in red, and Execute refuses it.
    k->selectAll();
    PressKey(form.get(), Qt::Key_Backspace, "\b");
    PressKey(form.get(), Qt::Key_2, "2");
    PressKey(form.get(), Qt::Key_A, "a");  // only digits pass
    EXPECT_EQ(k->text(), "2");
    PressKey(form.get(), Qt::Key_Return, "\r");
    EXPECT_EQ(k->palette().color(QPalette::Base), QColor(255, 0, 0));
    PressKey(form.get(), Qt::Key_0, "0");
    PressKey(form.get(), Qt::Key_Return, "\r");
    EXPECT_EQ(k->text(), "20");
    EXPECT_NE(k->palette().color(QPalette::Base), QColor(255, 0, 0));

    // The Data tab's count steps its buffer by ten the same way; in the typed field Home and
    // End move the cursor, as in any text field.
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    Load({1, 2, 3});
    form->Edit5->setFocus();
    PressKey(form.get(), Qt::Key_PageUp, "");
    EXPECT_EQ(form->Edit5->text(), "13");
    EXPECT_EQ(form->DataBuffer.size(), 13u);
    EXPECT_EQ(form->DataBuffer[2], 3.0);
    PressKey(form.get(), Qt::Key_Home, "");
    EXPECT_EQ(form->Edit5->text(), "13");
    EXPECT_EQ(form->Edit5->cursorPosition(), 0);
    PressKey(form.get(), Qt::Key_End, "");
    EXPECT_EQ(form->Edit5->text(), "13");
    EXPECT_EQ(form->Edit5->cursorPosition(), 2);
    PressKey(form.get(), Qt::Key_PageDown, "");
    PressKey(form.get(), Qt::Key_PageDown, "");
    EXPECT_EQ(form->Edit5->text(), "0");
    EXPECT_TRUE(form->DataBuffer.empty());
}

// A typed count is applied when finished, not per keystroke: editing 32000 to 3200 and back
// to 32000 keeps every number (it zeroed entries 3201 to 32000).
TEST_F(DataTab, ATypedCountIsAppliedWhenFinished)
{
    TVector values(32000);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<double>(i) + 0.5;
    Load(values);
    form->Edit5->setFocus();
    PressKey(form.get(), Qt::Key_End, "");
    PressKey(form.get(), Qt::Key_Backspace, "\b");
    EXPECT_EQ(form->DataBuffer.size(), 32000u);
    TypeKeys(form.get(), "0");
    PressKey(form.get(), Qt::Key_Return, "\r");
    EXPECT_EQ(form->DataBuffer, values);
    // Focus leaving the field finishes it too.
    PressKey(form.get(), Qt::Key_Backspace, "\b");
    ClickAt(form->Button3, {5, 5});
    EXPECT_EQ(form->DataBuffer.size(), 3200u);
    EXPECT_EQ(platform.clipboard.count("\r\n"), 3200);
}

TEST_F(DataTab, ACountTooLargeChangesNothing)
{
    Load({1, 2});
    TypeCount("9999999999");
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
    PressKey(form.get(), Qt::Key_Return, "\r");
    EXPECT_EQ(form->DataBuffer.size(), 2u);
    PressKey(form.get(), Qt::Key_V, "\x16", Qt::ControlModifier);
    EXPECT_EQ(form->Edit5->text(), "2");
}

// Typing 1.50 over 1.5 differs as text: leaving the grid by a click on Copy asks first, and
// the click then goes on: Copy acts on the applied data (it was dropped).
TEST_F(DataTab, LeavingTheGridByAClickAsksToApplyThenActs)
{
    Load({1.5, 2});
    TypeInto(0, "7");
    platform.answers = {true};
    ClickAt(form->Button3, {5, 5});
    QApplication::processEvents();
    EXPECT_EQ(platform.messages, QStringList({Apply}));
    EXPECT_EQ(form->DataBuffer, (TVector{7, 2}));
    EXPECT_EQ(platform.clipboard, "7\r\n2\r\n");
    // On No the click acts on the unchanged buffer.
    TypeInto(1, "9");
    platform.answers = {false};
    ClickAt(form->Button3, {5, 5});
    QApplication::processEvents();
    EXPECT_EQ(platform.messages, QStringList({Apply, Apply}));
    EXPECT_EQ(form->DataBuffer, (TVector{7, 2}));
    EXPECT_EQ(form->GridModel->CellText(1), "9");  // the text stays as typed
    EXPECT_EQ(platform.clipboard, "7\r\n2\r\n");
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

// A failed apply loses nothing typed, whichever way the user left the grid (a tab, a button,
// the count field, the Tab key, Ctrl+Tab): the user stays on the Data tab with the first
// unreadable cell current and selected, every typed text in place; once it is mended, Yes
// applies them all and the way out is free.
TEST_F(DataTab, AFailedApplyKeepsTheUserOnTheCellToMend)
{
    const TVector before{1, 2, 3, 4, 5};
    QTabBar* tabs = form->PageControl1->tabBar();
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"tab", [&] { ClickAt(tabs, tabs->tabRect(2).center()); }},
        {"button", [&] { ClickAt(form->Button3, {5, 5}); }},
        {"count", [&] { ClickAt(form->Edit5, {5, 5}); }},
        {"Tab key", [&] { PressKey(form.get(), Qt::Key_Tab, "\t"); }},
        {"Ctrl+Tab", [&] { PressKey(form.get(), Qt::Key_Tab, "\t", Qt::ControlModifier); }},
    };
    for (const auto& [way, leave] : ways) {
        platform.messages.clear();
        platform.clipboard.clear();
        Load(before);
        TypeInto(2, "3.5");
        PressKey(form.get(), Qt::Key_Return, "\r");
        TypeInto(3, "abc");
        platform.answers = {true};
        leave();
        QApplication::processEvents();
        EXPECT_EQ(platform.messages, QStringList({Apply, "Invalid number format."})) << way;
        EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet2) << way;
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus == form->StringGrid1 || form->StringGrid1->isAncestorOf(focus)) << way;
        EXPECT_EQ(form->StringGrid1->currentIndex().row(), 3) << way;
        EXPECT_TRUE(form->StringGrid1->selectionModel()->isRowSelected(3, QModelIndex())) << way;
        EXPECT_EQ(form->GridModel->CellText(2), "3.5") << way;
        EXPECT_EQ(form->GridModel->CellText(3), "abc") << way;
        EXPECT_EQ(form->DataBuffer, before) << way;
        EXPECT_TRUE(platform.clipboard.isEmpty()) << way;  // the clicked Copy did not act
    }
    // Mended where it stands: typing replaces the selected cell's text; then the tab is free.
    TypeKeys(form.get(), "4.5");
    PressKey(form.get(), Qt::Key_Return, "\r");
    platform.messages.clear();
    platform.answers = {true};
    ClickAt(tabs, tabs->tabRect(2).center());
    EXPECT_EQ(platform.messages, QStringList({Apply}));
    EXPECT_EQ(form->DataBuffer, (TVector{1, 2, 3.5, 4.5, 5}));
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet3);
}

// Rows added by a larger count show their entry, 0: nothing differs until the user types (they
// showed blank, and leaving the grid asked to apply edits nobody made).
TEST_F(DataTab, RowsAddedByTheCountShowTheirEntry)
{
    Load({1});
    TypeCount("3");
    EXPECT_EQ(form->GridModel->CellText(2), "0");
    form->StringGrid1->setFocus();
    ClickAt(form->Button3, {5, 5});
    QApplication::processEvents();
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(platform.clipboard, "1\r\n0\r\n0\r\n");
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
        {"5\n", "Structure in clipboard was not recognized. Please use std. table format of "
                 "row or column vector."},
        {"1\t2\r\n3\t4", "There is a 2D structure in the clipboard. You can paste only row or "
                         "column vector to the table."},
        // A two-column block with LF endings was taken for a row and mixed the columns.
        {"1\t2\n3\t4\n", "There is a 2D structure in the clipboard. You can paste only row or "
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

// What Linux programs put on the clipboard: lines ended by LF (or CR), in the locale's
// separator.
TEST_F(DataTab, PasteTakesTheLineEndingsOfEveryProgram)
{
    platform.clipboard = "1\n2\n3\n";
    form->Button4->click();
    EXPECT_EQ(form->DataBuffer, (TVector{1, 2, 3}));
    QString seq;
    for (int i = 1; i <= 100000; ++i)
        seq += QString::number(i) + "\n";
    platform.clipboard = seq;
    form->Button4->click();
    ASSERT_EQ(form->DataBuffer.size(), 100000u);
    EXPECT_EQ(form->DataBuffer.back(), 100000);
    EXPECT_EQ(form->Edit5->text(), "100000");
    platform.clipboard = "4\r5\r";
    form->Button4->click();
    EXPECT_EQ(form->DataBuffer, (TVector{4, 5}));
    form->setLocale(QLocale(QLocale::German, QLocale::Germany));
    platform.clipboard = "1,5\n-2,25\n";
    form->Button4->click();
    EXPECT_EQ(form->DataBuffer, (TVector{1.5, -2.25}));
    EXPECT_TRUE(platform.messages.isEmpty());
}

// Ctrl+C copies the selected cells as a column; Ctrl+V puts a column into the cells from the
// current one down as typed texts, asked about on leaving the grid like any edit.
TEST_F(DataTab, CopyAndPasteKeysInTheGrid)
{
    Load({1, 2, 3, 4});
    QTableView* grid = form->StringGrid1;
    ClickAt(grid->viewport(), grid->visualRect(form->GridModel->index(1, 0)).center());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      grid->visualRect(form->GridModel->index(2, 0)).center());
    EXPECT_FALSE(grid->isPersistentEditorOpen(form->GridModel->index(1, 0)));
    PressKey(form.get(), Qt::Key_C, "\x03", Qt::ControlModifier);
    EXPECT_EQ(platform.clipboard, "2\r\n3\r\n");

    ClickAt(grid->viewport(), grid->visualRect(form->GridModel->index(2, 0)).center());
    platform.clipboard = "7.5\n8\n";
    PressKey(form.get(), Qt::Key_V, "\x16", Qt::ControlModifier);
    EXPECT_EQ(form->GridModel->CellText(2), "7.5");
    EXPECT_EQ(form->GridModel->CellText(3), "8");
    EXPECT_EQ(form->DataBuffer, (TVector{1, 2, 3, 4}));
    platform.answers = {true};
    ClickAt(form->Edit5, {5, 5});
    EXPECT_EQ(platform.messages, QStringList({Apply}));
    EXPECT_EQ(form->DataBuffer, (TVector{1, 2, 7.5, 8}));

    // More lines than rows below the current cell: refused, nothing changed.
    ClickAt(grid->viewport(), grid->visualRect(form->GridModel->index(3, 0)).center());
    platform.clipboard = "5\n6\n";
    PressKey(form.get(), Qt::Key_V, "\x16", Qt::ControlModifier);
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(form->GridModel->CellText(3), "8");
    EXPECT_EQ(form->GridModel->HeldTexts(), 0u);
}

// A count left half typed when the window goes finishes nothing on a half-destroyed form.
TEST_F(DataTab, AnUnfinishedCountWhenTheWindowCloses)
{
    Load({1, 2, 3});
    form->Edit5->setFocus();
    TypeKeys(form.get(), "40");
    form.reset();
    SUCCEED();
}
