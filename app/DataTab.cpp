// The Data tab: the count, the grid over DataBuffer, Copy, Paste and the generation dialog.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include "ClipboardText.h"
#include "Controls.h"
#include "Counts.h"
#include "DataGridModel.h"
#include "FieldColour.h"
#include "Unit1.h"
#include "Unit2.h"

namespace {
const QString ApplyQuestion = QStringLiteral("Do you want to apply changeis in data?");
const QString RowQuestion = QStringLiteral(
    "There is an row vector in the clipboard. Do you want it load it as a column vector?");
const QString TwoDMessage = QStringLiteral(
    "There is a 2D structure in the clipboard. You can paste only row or column vector to the "
    "table.");
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
// on it: the focus moves first, which asks about the edits. When a question was asked, a
// click that would act on its release is dropped (its release went to the question), so
// nothing is left half-pressed; a tab switches after the question.
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
        return !tab && form_->GridQuestions != asked;
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
    Edit5->setText(QString::number(DataBuffer.size()));  // Edit5Change sets the row count
    GridModel->ShowBuffer();
}

void TForm1::Edit5Change()
{
    std::size_t count = 0;
    const TCountText read = ParseCount(Edit5->text().toStdString(), count);
    if (read != TCountText::Valid) {
        SetFieldColour(Edit5, FieldColour::Rejected);
        if (read == TCountText::TooLarge)
            CurrentPlatform().ShowMessage(QString::fromUtf8(CountMessage(read)));
        return;
    }
    SetFieldColour(Edit5, FieldColour::Neutral);
    DataBuffer.resize(count);  // first: a failed allocation leaves buffer and grid as they were
    GridModel->SetRows(static_cast<int>(count));
}

bool TForm1::Edit5KeyPress(int key)
{
    return (key >= 0 && key <= 8) || (key >= '0' && key <= '9');
}

// Edits are applied whole: every differing text is read first, and one that does not parse
// applies nothing (its text stays, so the question comes again). Rows that show their entry
// are not read back, so their values keep every digit.
void TForm1::StringGrid1Exit()
{
    if (GridModel->FirstEdit() < 0)
        return;
    ++GridQuestions;
    if (!CurrentPlatform().AskYesNo(ApplyQuestion))
        return;
    std::vector<std::pair<int, double>> edits;
    int bad = 0;
    if (!GridModel->ReadEdits(edits, bad)) {
        CurrentPlatform().ShowMessage(QStringLiteral("Invalid number format."));
        return;
    }
    for (const auto& [row, value] : edits)
        DataBuffer[row] = value;
    GridModel->Applied(edits);
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
        if (!CurrentPlatform().AskYesNo(RowQuestion))
            return;
        break;
    case TPasteShape::Column:
        break;
    case TPasteShape::TwoD:
        CurrentPlatform().ShowMessage(TwoDMessage);
        return;
    case TPasteShape::Unknown:
        CurrentPlatform().ShowMessage(UnknownMessage);
        return;
    }
    const std::vector<std::string_view> lines = PasteLines(text, shape == TPasteShape::Row);
    if (lines.size() > MaxDataCount) {
        CurrentPlatform().ShowMessage(QString::fromUtf8(CountMessage(TCountText::TooLarge)));
        return;
    }
    TVector values;
    std::size_t bad = 0;
    if (!ParseLines(lines, DecimalSeparator(), values, bad)) {
        CurrentPlatform().ShowMessage(QStringLiteral("Invalid number format"));
        return;
    }
    DataBuffer.swap(values);
    TabSheet2Show();
}

void TForm1::Button6Click()
{
    if (!Form2)
        return;
    Form2->Edit1->setText(QString::number(DataBuffer.size()));
    Form2->MainBuffer = &DataBuffer;
    if (Form2->exec() == QDialog::Accepted)
        TabSheet2Show();
}

void TForm1::WireDataTab()
{
    StringGrid1->setItemDelegate(new CellDelegate(StringGrid1));
    StringGrid1->setTabKeyNavigation(false);
    Wire(Edit5, &QLineEdit::textChanged, this, [this] { Edit5Change(); });
    Edit5->installEventFilter(this);
    Wire(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    Wire(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    Wire(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    Wire(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (PageControl1->currentWidget() == TabSheet2)
            TabSheet2Show();
    });
    FocusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (InGrid(old) && now && !InGrid(now) && now->window() == this)
            RunHandler([this] { StringGrid1Exit(); });
    });
    GridWatch = new GridExitWatch(this);
}
