// The Data tab: its build, the count, the grid over DataBuffer, Copy, Paste and the generation
// dialog.
#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "ClipboardText.h"
#include "Controls.h"
#include "Counts.h"
#include "DataGridModel.h"
#include "FieldColour.h"
#include "Unit1.h"
#include "Unit2.h"
#include "UpDown.h"

namespace {
// The questions and messages as the window has always worded them, "changeis" and "an row
// vector" included: users and their tests know them letter for letter.
const QString ApplyQuestion = QStringLiteral("Do you want to apply changeis in data?");
const QString RowQuestion = QStringLiteral(
    "There is an row vector in the clipboard. Do you want it load it as a column vector?");
const QString TwoDMessage = QStringLiteral(
    "There is a 2D structure in the clipboard. You can paste only row or column vector to the "
    "table.");
const QString PastePastLastRow = QStringLiteral(
    "There are more numbers in the clipboard than rows from the current cell down. Set the "
    "count first.");
const QString UnknownMessage = QStringLiteral(
    "Structure in clipboard was not recognized. Please use std. table format of row or column "
    "vector.");

// The cell editor of the grid: Tab and Shift+Tab commit the cell and move focus out of the
// grid, as they do from the grid itself, instead of on to the next cell.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(QTableView* grid) : QStyledItemDelegate(grid), grid_(grid) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                auto* editor = static_cast<QWidget*>(object);
                emit commitData(editor);
                emit closeEditor(editor, NoHint);
                QKeyEvent again(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
                QCoreApplication::sendEvent(grid_, &again);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    QTableView* grid_;
};
}  // namespace

// Leaving the grid is what a user does: a click on another control of the window that takes
// focus, or on a tab. The press is looked at as it reaches the window, before any widget acts
// on it: the focus moves first, which asks about the edits, and then the click goes on: a
// clicked button acts after the answer, a clicked tab switches.
class GridExitWatch : public QObject {
public:
    explicit GridExitWatch(TForm1* form) : QObject(form), form_(form)
    {
        qApp->installEventFilter(this);
    }
    ~GridExitWatch() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonPress || watched != form_->windowHandle() ||
            !form_->InGrid(QApplication::focusWidget()))
            return false;
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        QWidget* target = form_->childAt(at);
        if (!target || form_->InGrid(target))
            return false;
        QTabBar* tabs = form_->PageControl1->tabBar();
        const bool tab = target == tabs || tabs->isAncestorOf(target);
        if (!tab && !(target->focusPolicy() & Qt::ClickFocus))
            return false;
        const int asked = form_->GridQuestions;
        (tab ? static_cast<QWidget*>(form_->PageControl1) : target)->setFocus(Qt::MouseFocusReason);
        if (form_->GridQuestions == asked)
            return false;
        // An apply that failed keeps the user in the grid: the click goes nowhere.
        if (!form_->GridApplied)
            return true;
        if (tab)
            return false;
        // The question took the release: the clicked button acts once the answer is applied
        // (or, on No, on the unchanged buffer), after this press is done with.
        if (auto* button = qobject_cast<QAbstractButton*>(target); button && form_->GridApplied)
            QTimer::singleShot(0, button, [button] { button->click(); });
        return true;
    }

private:
    TForm1* form_;
};

bool TForm1::InGrid(const QWidget* widget) const
{
    return widget && (widget == StringGrid1 || StringGrid1->isAncestorOf(widget));
}

void TForm1::TabSheet2Show()
{
    ShowDataBuffer();
}

// Back in the grid after an apply that failed, on the cell to mend: the Data tab is shown
// again with every typed text (the buffer has not changed), and the cell is current and
// selected. After the focus change or the tab switch that left the grid has finished.
void TForm1::ReturnToCell(int row)
{
    QTimer::singleShot(0, this, [this, row] {
        if (PageControl1->currentWidget() != TabSheet2) {
            KeepTypedTexts = true;
            PageControl1->setCurrentWidget(TabSheet2);
            KeepTypedTexts = false;
        }
        const QModelIndex cell = GridModel->index(row, 0);
        StringGrid1->setCurrentIndex(cell);
        StringGrid1->selectionModel()->select(cell, QItemSelectionModel::ClearAndSelect);
        StringGrid1->scrollTo(cell);
        StringGrid1->setFocus(Qt::OtherFocusReason);
    });
}

void TForm1::ShowDataBuffer()
{
    Edit5->setText(QString::number(DataBuffer.size()));
    ApplyCount();  // sets the row count
    GridModel->ShowBuffer();
}

void TForm1::Edit5Change()
{
    ApplyCount();
}

void TForm1::ApplyCount()
{
    std::size_t count = 0;
    const TCountText read = ParseCount(Edit5->text().toStdString(), count);
    if (read != TCountText::Valid) {
        SetFieldColour(Edit5, FieldColour::Rejected);
        if (read == TCountText::TooLarge)
            CurrentPlatform().ShowMessage(this, QString::fromUtf8(CountMessage(read)));
        return;
    }
    SetFieldColour(Edit5, FieldColour::Neutral);
    DataBuffer.resize(count);  // first: a failed allocation leaves buffer and grid as they were
    GridModel->SetRows(static_cast<int>(count));
    FollowCategoryDefault();
    ShowDescription();
}

bool TForm1::Edit5KeyPress(int key)
{
    return (key >= 0 && key <= 8) || (key >= '0' && key <= '9');
}

// Edits are applied whole: every differing text is read first, and one that does not parse
// applies nothing: every typed text stays, and the user is taken back to that cell (so the
// question comes again when the grid is left). Rows that show their entry are not read back,
// so their values keep every digit.
void TForm1::StringGrid1Exit()
{
    if (GridModel->FirstEdit() < 0)
        return;
    ++GridQuestions;
    GridApplied = true;
    if (!CurrentPlatform().AskYesNo(this, ApplyQuestion))
        return;
    std::vector<std::pair<int, double>> edits;
    int bad = 0;
    if (!GridModel->ReadEdits(edits, bad)) {
        GridApplied = false;
        CurrentPlatform().ShowMessage(this, QStringLiteral("Invalid number format."));
        ReturnToCell(bad);
        return;
    }
    for (const auto& [row, value] : edits)
        DataBuffer[row] = value;
    GridModel->Applied(edits);
    ShowDescription();
}

void TForm1::Button3Click()
{
    CurrentPlatform().SetClipboardText(
        QString::fromStdString(CopyText(DataBuffer, DecimalSeparator())));
}

// Every line is read before the buffer changes: a line that does not parse changes nothing.
void TForm1::Button4Click()
{
    const std::string clipboard = CurrentPlatform().ClipboardText().toStdString();
    const std::string_view text = WithoutFinalBreak(clipboard);
    const TPasteShape shape = PasteShape(text);
    switch (shape) {
    case TPasteShape::Row:
        if (!CurrentPlatform().AskYesNo(this, RowQuestion))
            return;
        break;
    case TPasteShape::Column:
        break;
    case TPasteShape::TwoD:
        CurrentPlatform().ShowMessage(this, TwoDMessage);
        return;
    case TPasteShape::Unknown:
        CurrentPlatform().ShowMessage(this, UnknownMessage);
        return;
    }
    const std::vector<std::string_view> lines = PasteLines(text, shape == TPasteShape::Row);
    if (lines.size() > MaxDataCount) {
        CurrentPlatform().ShowMessage(this, QString::fromUtf8(CountMessage(TCountText::TooLarge)));
        return;
    }
    TVector values;
    std::size_t bad = 0;
    if (!ParseLines(lines, DecimalSeparator(), values, bad)) {
        CurrentPlatform().ShowMessage(this, QStringLiteral("Invalid number format"));
        return;
    }
    DataBuffer.swap(values);
    ShowDataBuffer();
}

// Ctrl+C in the grid: the selected cells, as a column in the Copy format.
void TForm1::StringGrid1Copy()
{
    QModelIndexList cells = StringGrid1->selectionModel()->selectedIndexes();
    if (cells.isEmpty() && StringGrid1->currentIndex().isValid())
        cells << StringGrid1->currentIndex();
    std::sort(cells.begin(), cells.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QString text;
    for (const QModelIndex& cell : cells)
        text += GridModel->CellText(cell.row()) + QStringLiteral("\r\n");
    CurrentPlatform().SetClipboardText(text);
}

// Ctrl+V in the grid: a copied column (or one number) goes into the cells from the current
// one down, as typed texts; leaving the grid then asks to apply them as for any edit.
void TForm1::StringGrid1Paste()
{
    const std::string clipboard = CurrentPlatform().ClipboardText().toStdString();
    const std::string_view text = WithoutFinalBreak(clipboard);
    const TPasteShape shape = PasteShape(text);
    if (shape == TPasteShape::TwoD) {
        CurrentPlatform().ShowMessage(this, TwoDMessage);
        return;
    }
    const std::vector<std::string_view> lines = PasteLines(text, shape == TPasteShape::Row);
    const int from = std::max(0, StringGrid1->currentIndex().row());
    if (lines.empty())
        return;
    if (lines.size() > static_cast<std::size_t>(GridModel->Rows() - from)) {
        CurrentPlatform().ShowMessage(this, PastePastLastRow);
        return;
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        GridModel->setData(GridModel->index(from + static_cast<int>(i), 0),
                           QString::fromStdString(std::string(lines[i])), Qt::EditRole);
}

void TForm1::Button6Click()
{
    if (!Form2)
        return;
    Form2->Edit1->setText(QString::number(DataBuffer.size()));
    if (Form2->exec() == QDialog::Accepted && Form2->TakeNumbers(DataBuffer))
        ShowDataBuffer();
}

void TForm1::WireDataTab()
{
    StringGrid1->setItemDelegate(new CellDelegate(StringGrid1));
    StringGrid1->setTabKeyNavigation(false);
    // A typed count is applied when the user finishes it (Enter, or leaving the field), a
    // spun one at once.
    Wire(Edit5, &QLineEdit::editingFinished, this, [this] { Edit5Change(); });
    Wire(UpDown1, &TUpDown::Stepped, this, [this] { Edit5Change(); });
    Edit5->installEventFilter(this);
    StringGrid1->installEventFilter(this);
    Wire(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    Wire(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    Wire(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    Wire(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (PageControl1->currentWidget() == TabSheet2 && !KeepTypedTexts)
            TabSheet2Show();
    });
    FocusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (InGrid(old) && now && !InGrid(now) && now->window() == this)
            RunHandler(this, [this] { StringGrid1Exit(); });
    });
    GridWatch = new GridExitWatch(this);
}

void TForm1::BuildDataTab()
{
    TabSheet2 = MakeTab(PageControl1, "TabSheet2", "Data");
    Panel2 = MakePanel(TabSheet2, "Panel2", 105, true);  // the described 41, and the files' row
    Label7 = MakeLabel(Panel2, "Label7", 8, 16, "Count:", nullptr);
    Edit5 = MakeEdit(Panel2, "Edit5", {56, 8, 41, 24}, "0", nullptr, false);
    // The count field is widened from its design width of 41 pixels to show the largest
    // count whole, and the controls to its right move along.
    Edit5->setText(QString::number(MaxDataCount));
    const int grow = std::max(0, TextFitWidth(Edit5) - Edit5->width());
    Edit5->setText(QStringLiteral("0"));
    Edit5->resize(Edit5->width() + grow, Edit5->height());
    UpDown1 = Placed(new TUpDown(Panel2, Edit5, 0, static_cast<int>(MaxDataCount), 0), "UpDown1",
                     {97 + grow, 8, 16, 24}, nullptr);
    Button3 = MakeButton(Panel2, "Button3", {120 + grow, 8, 75, 25}, "Copy", nullptr);
    Button4 = MakeButton(Panel2, "Button4", {200 + grow, 8, 75, 25}, "Paste", nullptr);
    Button6 = MakeButton(Panel2, "Button6", {280 + grow, 8, 89, 25}, "Generate RND", nullptr);

    GridModel = new DataGridModel(DataBuffer, DecimalSeparator(), this);
    NameField(Label7, Edit5);
    StringGrid1 = new QTableView(TabSheet2);
    Name(StringGrid1, "StringGrid1", nullptr);
    StringGrid1->setAccessibleName(QStringLiteral("Buffered data"));
    StringGrid1->setModel(GridModel);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(24);
    StringGrid1->setColumnWidth(0, 220);
    StringGrid1->setShowGrid(true);
    StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    // As in a spreadsheet: typing, F2 or a double click edits a cell; clicks and arrow keys
    // select, so Ctrl+C and Ctrl+V act on the selection.
    StringGrid1->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    TabSheet2->layout()->addWidget(Panel2);
    TabSheet2->layout()->addWidget(StringGrid1);
    BuildDataFileControls();
    WireDataTab();
}


