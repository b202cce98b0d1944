// The calculator as a user meets it: keys and pointer as the window system delivers them,
// the real message boxes, the chart's plot area, and a comma locale in force.
#include <gtest/gtest.h>

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QTabWidget>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QClipboard>
#include <QAbstractItemView>
#include <QInputDialog>
#include <QMessageBox>
#include <QTabBar>
#include <QPushButton>
#include <QTimer>
#include <clocale>
#include <locale.h>
#include <deque>
#include <memory>

#include "Controls.h"
#include "NumberFormat.h"
#include "ParamsLine.h"
#include "PlatformEvents.h"
#include "ScriptedPlatform.h"
#include "Unit1.h"
#include "Unit2.h"

namespace {
const char* const ProbHint =
    "Probability that random variable X will engange the value (select X or prob)";

struct UserInput : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();

    void SetUp() override { ASSERT_TRUE(ShowActive(form.get())); }

    void Pick(TDistKind kind, std::initializer_list<const char*> answers = {})
    {
        for (const char* a : answers)
            platform.inputs.push_back(a);
        form->ComboBox1->setCurrentIndex(KindIndex(kind));
        emit form->ComboBox1->activated(KindIndex(kind));
    }
    void Focus(QLineEdit* edit)
    {
        edit->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), edit);
    }
};
}  // namespace

TEST_F(UserInput, OneEnterRunsCalcOnce)
{
    // A parameter the prompt refuses, set as a caller could, to see each run of Calc.
    Pick(TDistKind::Normal, {"0", "1"});
    form->CalcParams = {0, 0};
    Focus(form->Edit2);
    form->Edit2->setText("1");
    PressKey(form.get(), Qt::Key_Return, "\r");
    EXPECT_EQ(platform.messages, QStringList({"Floating point division by zero"}));
}

TEST_F(UserInput, TabAndShiftTabLeaveXAndProbability)
{
    Focus(form->Edit4);
    PressKey(form.get(), Qt::Key_Tab, "\t");
    EXPECT_EQ(QApplication::focusWidget(), form->Edit12);
    EXPECT_EQ(form->Edit4->text(), "");
    PressKey(form.get(), Qt::Key_Tab, "\t");
    EXPECT_EQ(QApplication::focusWidget(), form->Edit3);
    Focus(form->Edit2);
    PressKey(form.get(), Qt::Key_Tab, "\t");
    EXPECT_EQ(QApplication::focusWidget(), form->Edit1);
    PressKey(form.get(), Qt::Key_Backtab, "\t", Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), form->Edit2);
    EXPECT_EQ(form->Edit2->text(), "0");
}

// Delete carries the text 0x7F on X11; editing and cursor keys are not characters.
TEST_F(UserInput, EditingKeysPassWhateverTheirText)
{
    for (QLineEdit* edit : {form->Edit2, form->Edit4}) {
        Focus(edit);
        edit->setText("123");
        edit->setCursorPosition(0);
        PressKey(form.get(), Qt::Key_Delete, "\x7f");
        EXPECT_EQ(edit->text(), "23");
        PressKey(form.get(), Qt::Key_End, "");
        PressKey(form.get(), Qt::Key_Left, "");
        PressKey(form.get(), Qt::Key_Delete, "\x7f");
        EXPECT_EQ(edit->text(), "2");
        PressKey(form.get(), Qt::Key_Home, "");
        PressKey(form.get(), Qt::Key_5, "5");
        PressKey(form.get(), Qt::Key_Right, "");
        PressKey(form.get(), Qt::Key_Backspace, "\b");
        EXPECT_EQ(edit->text(), "5");
        // Characters still go through the filter.
        PressKey(form.get(), Qt::Key_A, "a");
        PressKey(form.get(), Qt::Key_Space, " ");
        PressKey(form.get(), Qt::Key_V, "\x16", Qt::ControlModifier);
        EXPECT_EQ(edit->text(), "5");
    }
}

TEST(CharacterCodes, OfKeysAsX11DeliversThem)
{
    auto code = [](Qt::Key key, const char* text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent e(QEvent::KeyPress, key, mods, QString::fromLatin1(text));
        return CharCode(&e);
    };
    EXPECT_EQ(code(Qt::Key_Return, "\r"), 13);
    EXPECT_EQ(code(Qt::Key_Enter, "\r"), 13);
    EXPECT_EQ(code(Qt::Key_Backspace, "\b"), 8);
    EXPECT_EQ(code(Qt::Key_Escape, "\x1b"), 27);
    EXPECT_EQ(code(Qt::Key_C, "\x03", Qt::ControlModifier), 3);
    EXPECT_EQ(code(Qt::Key_Z, "\x1a", Qt::ControlModifier), 26);
    EXPECT_EQ(code(Qt::Key_Comma, ","), ',');
    EXPECT_EQ(code(Qt::Key_7, "7"), '7');
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Delete, Qt::Key_Left,
                        Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_Insert, Qt::Key_F1})
        EXPECT_EQ(code(key, key == Qt::Key_Delete ? "\x7f" : "\t"), -1) << key;
}

TEST_F(UserInput, StatusBarFollowsThePointer)
{
    MovePointer(form->Edit4, {5, 5});
    EXPECT_EQ(form->StatusPanel->text(), ProbHint);
    // From Edit4 onto the bare panel around it: no control with a hint up to the window.
    MovePointer(form->Panel1, {form->Edit4->x() + form->Edit4->width() + 2, form->Edit4->y() + 5});
    EXPECT_EQ(form->StatusPanel->text(), "Mainform");
    MovePointer(form->Button1, {3, 3});
    EXPECT_EQ(form->StatusPanel->text(), "Click to recalculate");
    MovePointer(form->Chart1, {100, 100});  // the chart's viewport takes its parent's hint
    EXPECT_EQ(form->StatusPanel->text(), "The figure of probability distribution");
    form->PageControl1->setCurrentIndex(1);
    MovePointer(form->Label7, {2, 2});  // Data tab controls have no hints
    EXPECT_EQ(form->StatusPanel->text(), "Mainform");
}

// The axes span 5 % to 95 % of the width the chart lays them out in, and start at 5 % of its
// height: the margins are those shares of the plot area without them.
TEST_F(UserInput, ChartAxesKeepTheirProportions)
{
    for (QSize size : {QSize(542, 492), QSize(800, 700), QSize(600, 420)}) {
        form->resize(size);
        QApplication::processEvents();
        const QChart* chart = form->Chart1->chart();
        const QRectF plot = chart->plotArea();
        const QMargins m = chart->margins();
        const double width = plot.width() + m.left() + m.right();
        EXPECT_NEAR(m.left(), 0.05 * width, 1) << size.width();
        EXPECT_NEAR(m.right(), 0.05 * width, 1) << size.width();
        EXPECT_NEAR(m.top(), 0.05 * (plot.height() + m.top()), 1) << size.width();
        EXPECT_EQ(m.bottom(), 0);
        EXPECT_GT(plot.width(), 0.7 * chart->size().width());
    }
}

// The real message boxes: plain, without icon.
TEST(MessageBoxes, AreHowTheOverviewHasThem)
{
    InstallPlatform(nullptr);
    struct Seen {
        QString title;
        QMessageBox::Icon icon = QMessageBox::Warning;
        QList<QMessageBox::StandardButton> buttons;
    } seen;
    auto answerWith = [&seen](QMessageBox::StandardButton answer) {
        QTimer::singleShot(0, [&seen, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen.title = box->windowTitle();
            seen.icon = box->icon();
            seen.buttons.clear();
            for (QAbstractButton* b : box->buttons())
                seen.buttons << box->standardButton(b);
            box->button(answer)->click();
        });
    };
    QApplication::setApplicationName("Velmora");
    answerWith(QMessageBox::Ok);
    QWidget window;
    CurrentPlatform().ShowMessage(&window, "Invalid number format.");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QList<QMessageBox::StandardButton>({QMessageBox::Ok}));

    answerWith(QMessageBox::Yes);
    EXPECT_TRUE(CurrentPlatform().AskYesNo(&window, "Do you want to apply changeis in data?"));
    EXPECT_EQ(seen.title, "");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons.size(), 2);
    EXPECT_TRUE(seen.buttons.contains(QMessageBox::Yes) && seen.buttons.contains(QMessageBox::No));
    answerWith(QMessageBox::No);
    EXPECT_FALSE(CurrentPlatform().AskYesNo(&window, "Do you want to apply changeis in data?"));
}

// The real boxes, raised by real clicks, belong to the window they concern and stand centred
// over it, wherever it is: the main window's over the main window, the generation dialog's
// over the dialog; also while another window is the active one (a click that arrives before
// the window manager has activated the clicked window).
TEST(MessageBoxes, StandOverTheWindowTheyConcern)
{
    InstallPlatform(nullptr);
    TForm1 form;
    TForm2 dialog;
    form.show();
    form.move(10, 20);
    QWidget other;
    ASSERT_TRUE(ShowActive(&other));
    struct Seen {
        QWidget* parent = nullptr;
        QPoint centre;
        QString text;
    };
    std::vector<Seen> seen;
    // Answers each box as it opens; in the generation dialog it types a count too large and
    // clicks "Generate now" (after the tick: a timer does not fire inside its own slot), then
    // closes the dialog once that box is answered.
    QTimer user;
    user.setInterval(5);
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen.push_back({box->parentWidget(), box->frameGeometry().center(), box->text()});
            box->button(QMessageBox::Ok)->click();
        } else if (modal == &dialog) {
            if (seen.size() == 1) {
                dialog.Edit1->setText("999999999999");
                user.stop();
                QTimer::singleShot(0, [&] {
                    user.start();
                    ClickAt(dialog.Button1, dialog.Button1->rect().center());
                });
            } else {
                dialog.reject();
            }
        }
    });
    user.start();
    QGuiApplication::clipboard()->setText("abc");
    QTabBar* tabs = form.PageControl1->tabBar();
    ClickAt(tabs, tabs->tabRect(1).center());
    ASSERT_EQ(form.PageControl1->currentWidget(), form.TabSheet2);
    ClickAt(form.Button4, form.Button4->rect().center());
    dialog.move(300, 200);
    ClickAt(form.Button6, form.Button6->rect().center());
    user.stop();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].parent, &form);
    EXPECT_TRUE(seen[0].text.startsWith("Structure in clipboard was not recognized"));
    EXPECT_LE((seen[0].centre - form.frameGeometry().center()).manhattanLength(), 4);
    EXPECT_EQ(seen[1].parent, &dialog);
    EXPECT_LE((seen[1].centre - dialog.frameGeometry().center()).manhattanLength(), 4);
}

// The locale's separator is used only where it is '.' or ','.
TEST(DecimalSeparator, OfLocales)
{
    EXPECT_EQ(DecimalSeparatorOf(QLocale(QLocale::English, QLocale::UnitedStates)), '.');
    EXPECT_EQ(DecimalSeparatorOf(QLocale(QLocale::German, QLocale::Germany)), ',');
    EXPECT_EQ(DecimalSeparatorOf(QLocale(QLocale::Arabic, QLocale::Egypt)), '.');
    EXPECT_EQ(DecimalSeparatorOf(QLocale(QLocale::Persian, QLocale::Iran)), '.');
}

namespace {
// A comma C locale (LC_NUMERIC) in force on this thread and a German default QLocale, both
// put back afterwards; skipped where the machine has no such locale.
struct CommaLocale : ::testing::Test {
    locale_t comma = nullptr;
    locale_t previous = nullptr;
    QLocale previousQt;

    void SetUp() override
    {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"})
            if ((comma = newlocale(LC_NUMERIC_MASK, name, nullptr)))
                break;
        if (!comma)
            GTEST_SKIP() << "no comma locale is installed";
        previous = uselocale(comma);
        previousQt = QLocale();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
        ASSERT_STREQ(buffer, "1,5");  // the C library writes a comma now
    }
    void TearDown() override
    {
        if (!comma)
            return;
        uselocale(previous);
        freelocale(comma);
        QLocale::setDefault(previousQt);
    }
};
}  // namespace

TEST_F(CommaLocale, FormatsTakeTheSeparatorOnlyFromTheirArgument)
{
    EXPECT_EQ(FormatGeneral(1.5, ','), "1,5");
    EXPECT_EQ(FormatGeneral(1.5, '.'), "1.5");
    EXPECT_EQ(FormatGeneral(9.9e-5, ','), "9,9E-5");
    EXPECT_EQ(FormatGeneral(-123456.789, ','), "-123456,789");
    EXPECT_EQ(FormatResult(0.5, ','), "0,500000000");
    EXPECT_EQ(FormatResult(0.5, '.'), "0.500000000");
    EXPECT_EQ(FormatResult(123.4567890123, ','), "123,456789000");
    EXPECT_EQ(FormatResult(12345678901.0, ','), "1,23456789E10");
    double v = 0;
    ASSERT_TRUE(ParseNumber("1,25", ',', v));
    EXPECT_EQ(v, 1.25);
    ASSERT_TRUE(ParseNumber("1.25", '.', v));
    EXPECT_EQ(v, 1.25);
    EXPECT_FALSE(ParseNumber("1.25", ',', v));
}

TEST_F(CommaLocale, CalculatorRoundTrip)
{
    ScriptedPlatform platform;
    TForm1 form;
    platform.inputs = {"1,5", "2"};
    form.ComboBox1->setCurrentIndex(KindIndex(TDistKind::Normal));
    emit form.ComboBox1->activated(KindIndex(TDistKind::Normal));
    EXPECT_EQ(form.Edit1->text(), "mu=1,5; ro=2; ");
    form.Edit2->setText("1,5");
    form.Button1->click();
    EXPECT_EQ(form.Edit4->text(), "0,500000000");
    EXPECT_EQ(form.Edit3->text(), "0,199471140");
    EXPECT_TRUE(platform.messages.isEmpty());
}

// The real parameter boxes, with the distribution picked from the list's popup by the pointer
// and every box answered with keys: a refused value names its parameter and range and is asked
// for again with the text kept; Escape at the first or at a later box leaves the distribution
// picked before, its parameters and its result, with no message.
TEST(ParameterPrompts, AnsweredWithRealKeys)
{
    InstallPlatform(nullptr);
    TForm1 form;
    ASSERT_TRUE(ShowActive(&form));
    struct Seen {
        bool message = false;
        QString label;
        QString text;
    };
    std::vector<Seen> seen;
    std::deque<QString> answers;  // one per input box; "Escape" presses Escape
    QTimer user;
    user.setInterval(5);
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->property("answered").toBool())
            return;
        modal->setProperty("answered", true);
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen.push_back({true, box->text(), {}});
            PressKey(box, Qt::Key_Return, "\r");
        } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            seen.push_back({false, input->labelText(), input->textValue()});
            const QString answer = answers.empty() ? QStringLiteral("Escape") : answers.front();
            if (!answers.empty())
                answers.pop_front();
            if (answer == "Escape") {
                PressKey(input, Qt::Key_Escape, "\x1b");
            } else {
                PressKey(input, Qt::Key_A, "\x01", Qt::ControlModifier);
                TypeKeys(input, answer);
                PressKey(input, Qt::Key_Return, "\r");
            }
        }
    });
    user.start();
    auto pick = [&](TDistKind kind, std::initializer_list<const char*> typed) {
        seen.clear();
        for (const char* a : typed)
            answers.push_back(a);
        ClickAt(form.ComboBox1, form.ComboBox1->rect().center());
        QTest::qWait(QApplication::doubleClickInterval() + 50);  // the popup ignores a quick release
        QAbstractItemView* view = form.ComboBox1->view();
        const QModelIndex item = view->model()->index(KindIndex(kind), 0);
        view->scrollTo(item);
        ClickAt(view->viewport(), view->visualRect(item).center());
        QTest::qWait(20);
        EXPECT_TRUE(answers.empty());
    };
    auto calc = [&] {
        form.Edit2->setFocus(Qt::OtherFocusReason);
        PressKey(&form, Qt::Key_Return, "\r");
        return form.Edit4->text();
    };
    const char sep = form.DecimalSeparator();

    pick(TDistKind::Normal, {"0", "-1", "2"});
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].label, "mu");
    EXPECT_EQ(seen[1].label, "ro");
    EXPECT_TRUE(seen[2].message);
    EXPECT_EQ(seen[2].label, "ro must be greater than 0.");
    EXPECT_EQ(seen[3].label, "ro");
    EXPECT_EQ(seen[3].text, "-1");
    EXPECT_EQ(form.ComboBox1->currentIndex(), KindIndex(TDistKind::Normal));
    const QString normalLine = form.Edit1->text();
    EXPECT_EQ(normalLine, QString::fromStdString(ParamsLine(TDistKind::Normal, {0, 2}, sep)));
    form.Edit2->setText("1");
    const QString normalProbability = calc();
    EXPECT_EQ(normalProbability, QString::fromStdString(FormatResult(0.6914624612740131, sep)));

    for (auto typed : {std::initializer_list<const char*>{"Escape"}, {"2", "Escape"}}) {
        pick(TDistKind::Beta, typed);
        EXPECT_EQ(seen.size(), typed.size());
        for (const Seen& s : seen)
            EXPECT_FALSE(s.message) << s.label.toStdString();
        EXPECT_EQ(form.ComboBox1->currentIndex(), KindIndex(TDistKind::Normal));
        EXPECT_EQ(form.Edit1->text(), normalLine);
        form.Edit2->setText("1");
        EXPECT_EQ(calc(), normalProbability);
    }

    pick(TDistKind::Chi2, {"2.5", "1"});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].label, "N must be a whole number from 1 to 1000000.");
    EXPECT_EQ(seen[2].text, "2.5");
    EXPECT_EQ(form.ComboBox1->currentIndex(), KindIndex(TDistKind::Chi2));
    EXPECT_EQ(form.Edit1->text(), QString::fromStdString(ParamsLine(TDistKind::Chi2, {1}, sep)));
    user.stop();
}
