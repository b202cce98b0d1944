// A random user: drives the real windows offscreen with random actions (picks, typed and
// pasted texts of every kind, clicks, keys, counts up to a million, generations with cancel,
// fits, dialogs answered at random) for a number of events from a seed. After each event it
// checks that the window still answers, how long the event loop was kept from running, and
// that the data buffer changed only through an action that changes it.
// Usage: velmora_monkey [--events N] [--seed S] [--max-ms M] [--strict]
//   --strict: an event that keeps the event loop from running longer than M ms fails the run.
#include <QApplication>
#include <QCheckBox>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <random>

#include "PlatformEvents.h"
#include "Platform.h"
#include "Unit1.h"
#include "Unit2.h"
#include "UpDown.h"

namespace {
std::mt19937_64 rng;

int Pick(int n)
{
    return static_cast<int>(std::uniform_int_distribution<int>(0, n - 1)(rng));
}
bool Chance(double p)
{
    return std::uniform_real_distribution<double>(0, 1)(rng) < p;
}

// A number as a user might type it: ordinary, extreme, in either decimal separator, or junk.
QString NumberText()
{
    static const char* fixed[] = {"0", "1", "-1", "0.5", "2", "3", "10", "100", "1e308", "-1e308",
                                  "1e-320", "4.9e-324", "1.7e308", "0,5", "1,5e3", "nan", "inf",
                                  "-0", "  7 ", "abc", "1..2", "", "1023", "1022", "0.999999",
                                  "1e-15", "-1e-15", "12345678901234567890", "5e10", "0.0001"};
    switch (Pick(3)) {
    case 0:
        return QString::fromLatin1(fixed[Pick(std::size(fixed))]);
    case 1:
        return QString::number(std::normal_distribution<double>(0, 5)(rng), 'g', 1 + Pick(17));
    default:
        return QString::number(std::uniform_real_distribution<double>(-1e6, 1e6)(rng), 'g', 6);
    }
}

QString CountText()
{
    static const char* fixed[] = {"0", "1", "2", "3", "10", "100", "1000", "100000", "1000000",
                                  "123456789012", "", "12a", "-5"};
    if (Chance(0.5))
        return QString::fromLatin1(fixed[Pick(std::size(fixed))]);
    return QString::number(Chance(0.9) ? Pick(5000) : Pick(1000001));
}

// A clipboard text as spreadsheets and Linux programs write it.
QString ClipboardText()
{
    static const char* breaks[] = {"\n", "\r\n", "\r"};
    const QString br = QString::fromLatin1(breaks[Pick(3)]);
    const int lines = Chance(0.95) ? Pick(200) : Pick(200000);
    QString text;
    for (int i = 0; i < lines; ++i) {
        if (Chance(0.02))
            text += "junk";
        else if (Chance(0.05))
            text += NumberText() + "\t" + NumberText();
        else
            text += QString::number(std::normal_distribution<double>(0, 3)(rng), 'g', 15);
        if (i + 1 < lines || Chance(0.5))
            text += br;
    }
    return text;
}

struct RandomUser final : Platform {
    int yes = 0;
    std::map<QString, int> messages;
    QString clipboard;

    std::optional<QString> InputBox(QWidget*, const QString&, const QString&, const QString&) override
    {
        if (Chance(0.1))
            return std::nullopt;
        return NumberText();
    }
    void ShowMessage(QWidget*, const QString& text) override { ++messages[text.left(60)]; }
    bool AskYesNo(QWidget*, const QString& text) override
    {
        ++messages[text.left(60)];
        const bool answer = Chance(0.5);
        yes += answer;
        return answer;
    }
    QString ClipboardText() override { return clipboard; }
    void SetClipboardText(const QString& text) override { clipboard = text; }
    void SetClipboardImage(const QImage&) override {}
    // No file is touched: the file dialogs are cancelled; the close question has any answer.
    QString OpenFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString SaveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    SaveAnswer AskSave(QWidget*, const QString& text) override
    {
        ++messages[text.left(60)];
        return Chance(0.5) ? SaveAnswer::Cancel : SaveAnswer::Discard;
    }
};

// Answers whatever modal window is open, from a timer that runs inside its event loop, and
// measures how long the event loop was kept from running.
class ModalUser : public QObject {
public:
    ModalUser()
    {
        timer_.setInterval(1);
        connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
        timer_.start();
    }
    void BeginEvent()
    {
        clock_.restart();
        last_ = 0;
        longest_ = 0;
    }
    qint64 EndEvent()
    {
        Mark();
        return longest_;
    }

private:
    void Mark()
    {
        const qint64 now = clock_.elapsed();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }

    void Tick()
    {
        Mark();
        Serve(QApplication::activeModalWidget());
        Mark();
    }

    void Serve(QWidget* modal)
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(window); progress && progress->isVisible()) {
                if (Chance(0.1))
                    progress->cancel();
                return;
            }
        if (auto* form2 = qobject_cast<TForm2*>(modal)) {
            if (!Chance(0.2))
                return;
            switch (Pick(6)) {
            case 0:
                form2->Edit1->setText(Chance(0.8) ? QString::number(Pick(3000)) : CountText());
                break;
            case 1: {
                const int k = Pick(DistKindCount);
                form2->ComboBox1->setCurrentIndex(k);
                emit form2->ComboBox1->activated(k);
                break;
            }
            case 2:
                (Chance(0.4) ? form2->RadioButton1
                             : Chance(0.5) ? form2->RadioButton2 : form2->RadioButton3)->click();
                break;
            case 3:
            case 4:
                // Queued: the click runs from the dialog's own loop once this tick has
                // returned, so that the ticks go on inside the generation (a timer does not
                // fire again while its own slot runs) and can answer its progress dialog.
                QMetaObject::invokeMethod(form2->Button1, "click", Qt::QueuedConnection);
                break;
            default:
                form2->reject();
            }
            return;
        }
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {  // the parameters dialog
            if (!Chance(0.3))
                return;
            const QList<QLineEdit*> rows = dialog->findChildren<QLineEdit*>();
            const QList<QCheckBox*> autos = dialog->findChildren<QCheckBox*>();
            switch (Pick(4)) {
            case 0:
                if (!rows.isEmpty())
                    rows[Pick(rows.size())]->setText(NumberText());
                break;
            case 1:
                if (!autos.isEmpty())
                    autos[Pick(autos.size())]->toggle();
                break;
            case 2:
                if (auto* ok = dialog->findChild<QPushButton*>("OK"))
                    QMetaObject::invokeMethod(ok, "click", Qt::QueuedConnection);
                break;
            default:
                dialog->reject();
            }
        }
    }

    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0, longest_ = 0;
};

// A click on one of the spin buttons' arrows, `times` times.
void ClickArrow(TUpDown* spin, int times)
{
    const auto arrows = spin->findChildren<QToolButton*>();
    if (arrows.isEmpty())
        return;
    QToolButton* arrow = arrows[Pick(arrows.size())];
    for (int i = 0; i < times; ++i)
        ClickAt(arrow, arrow->rect().center());
}

struct Event {
    const char* name;
    bool changesBuffer;
};

// One random action on the main window, as a user does it.
Event Act(TForm1& form, RandomUser& user)
{
    QTabWidget* pages = form.PageControl1;
    switch (Pick(12)) {
    case 0:
        ClickAt(pages->tabBar(), pages->tabBar()->tabRect(Pick(pages->count())).center());
        return {"tab", false};
    case 1:
        PressKey(&form, Qt::Key_Tab, QStringLiteral("\t"), Chance(0.3) ? Qt::ShiftModifier : Qt::NoModifier);
        return {"tab key", false};
    default:
        break;
    }
    QWidget* page = pages->currentWidget();
    if (page == form.TabSheet1) {
        switch (Pick(8)) {
        case 0: {
            const int k = Pick(DistKindCount);
            form.ComboBox1->setFocus();
            form.ComboBox1->setCurrentIndex(k);
            emit form.ComboBox1->activated(k);
            return {"calculator pick", false};
        }
        case 1:
        case 2:
        case 3: {
            QLineEdit* field = Chance(0.6) ? form.Edit2 : form.Edit4;
            ClickAt(field, field->rect().center());
            field->selectAll();
            TypeKeys(&form, Chance(0.5) ? NumberText() : QString::number(std::uniform_real_distribution<double>(0, 1)(rng)));
            if (Chance(0.7))
                PressKey(&form, Qt::Key_Return, QStringLiteral("\r"));
            return {"calculator input", false};
        }
        case 4:
            ClickAt(form.Button1, form.Button1->rect().center());
            return {"Calc", false};
        case 5:
            ClickAt(form.Button2, form.Button2->rect().center());
            return {"Show", false};
        case 6: {
            QRadioButton* view = Chance(0.5) ? form.RadioButton1 : form.RadioButton2;
            ClickAt(view, view->rect().center());
            return {"calculator view", false};
        }
        default:
            form.Chart1->setFocus();
            PressKey(&form, Qt::Key_C, QStringLiteral("\x03"), Qt::ControlModifier);
            return {"copy chart", false};
        }
    }
    if (page == form.TabSheet2) {
        switch (Pick(9)) {
        case 0:
        case 1:
            ClickAt(form.Edit5, form.Edit5->rect().center());
            form.Edit5->selectAll();
            TypeKeys(&form, CountText());
            PressKey(&form, Chance(0.7) ? Qt::Key_Return : Qt::Key_Tab,
                     QStringLiteral("\r"));
            return {"count typed", true};
        case 2:
            ClickArrow(form.UpDown1, 1);
            return {"count spun", true};
        case 3:
            ClickAt(form.Button3, form.Button3->rect().center());
            return {"Copy", false};
        case 4:
            user.clipboard = ClipboardText();
            ClickAt(form.Button4, form.Button4->rect().center());
            return {"Paste", true};
        case 5:
            ClickAt(form.Button6, form.Button6->rect().center());
            return {"Generate RND", true};
        default: {
            QTableView* grid = form.StringGrid1;
            const int rows = grid->model()->rowCount();
            if (rows == 0)
                return {"grid (empty)", false};
            const QModelIndex cell = grid->model()->index(Pick(std::min(rows, 12)), 0);
            ClickAt(grid->viewport(), grid->visualRect(cell).center());
            switch (Pick(4)) {
            case 0:
                TypeKeys(&form, NumberText());
                PressKey(&form, Qt::Key_Return, QStringLiteral("\r"));
                break;
            case 1:
                PressKey(&form, Qt::Key_C, QStringLiteral("\x03"), Qt::ControlModifier);
                break;
            case 2:
                user.clipboard = ClipboardText();
                PressKey(&form, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
                return {"grid paste", true};
            default:
                PressKey(&form, Qt::Key_Down, QString());
            }
            return {"grid", false};
        }
        }
    }
    switch (Pick(6)) {
    case 0: {
        const int k = Pick(DistKindCount);
        form.ComboBox2->setFocus();
        form.ComboBox2->setCurrentIndex(k);
        emit form.ComboBox2->activated(k);
        return {"hypothesis pick", false};
    }
    case 1:
        ClickArrow(form.UpDown2, 1 + Pick(40));
        return {"categories spun", false};
    case 2:
    case 3:
        ClickAt(form.Button5, form.Button5->rect().center());
        return {"Execute", false};
    case 4: {
        QRadioButton* view = Chance(0.5) ? form.RadioButton3 : form.RadioButton4;
        ClickAt(view, view->rect().center());
        return {"histogram view", false};
    }
    default:
        form.Chart2->setFocus();
        PressKey(&form, Qt::Key_C, QStringLiteral("\x03"), Qt::ControlModifier);
        return {"copy histogram", false};
    }
}

std::uint64_t Hash(const TVector& v)
{
    std::uint64_t h = 1469598103934665603ull ^ v.size();
    for (double x : v) {
        std::uint64_t bits;
        std::memcpy(&bits, &x, sizeof bits);
        h = (h ^ bits) * 1099511628211ull;
    }
    return h;
}
}  // namespace

// Qt's notes that the offscreen platform cannot raise a window are left out of the report.
void Messages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (!text.startsWith(QLatin1String("This plugin does not support")))
        std::fprintf(stderr, "%s%s\n", type == QtWarningMsg ? "warning: " : "", qPrintable(text));
}

int main(int argc, char** argv)
{
    qInstallMessageHandler(Messages);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    QApplication app(argc, argv);
    long events = 1000, seed = 1, maxMs = 2000;
    bool strict = false;
    for (int i = 1; i < argc; ++i) {
        const auto value = [&] { return i + 1 < argc ? std::atol(argv[++i]) : 0; };
        if (!std::strcmp(argv[i], "--events"))
            events = value();
        else if (!std::strcmp(argv[i], "--seed"))
            seed = value();
        else if (!std::strcmp(argv[i], "--max-ms"))
            maxMs = value();
        else if (!std::strcmp(argv[i], "--strict"))
            strict = true;
    }
    rng.seed(static_cast<std::uint64_t>(seed));

    RandomUser user;
    InstallPlatform(&user);
    auto form = std::make_unique<TForm1>();
    auto form2 = std::make_unique<TForm2>();
    form->resize(542, 492);
    if (!ShowActive(form.get())) {
        std::fprintf(stderr, "the window did not become active\n");
        return 1;
    }
    ModalUser modal;

    std::map<std::string, int> kinds, changedBy;
    std::map<std::string, std::pair<int, qint64>> slow;  // per action: count, longest
    int violations = 0;
    for (long e = 0; e < events; ++e) {
        const std::uint64_t before = Hash(form->DataBuffer);
        const bool countPending = QApplication::focusWidget() == form->Edit5;
        const int yesBefore = user.yes;
        modal.BeginEvent();
        const Event event = Act(*form, user);
        QApplication::processEvents();
        const qint64 blocked = modal.EndEvent();
        ++kinds[event.name];
        if (blocked > maxMs) {
            auto& s = slow[event.name];
            ++s.first;
            s.second = std::max(s.second, blocked);
            std::fprintf(stderr,
                         "event %ld (%s): %lld ms; calculator %s (%s) X %s p %s; count %s; "
                         "generation %s, %s, %s%s%s; hypothesis %s (%s), %s categories\n",
                         e, event.name, static_cast<long long>(blocked),
                         qPrintable(form->ComboBox1->currentText()), qPrintable(form->Edit1->text()),
                         qPrintable(form->Edit2->text()), qPrintable(form->Edit4->text()),
                         qPrintable(form->Edit5->text()), qPrintable(form2->Edit1->text()),
                         qPrintable(form2->ComboBox1->currentText()), qPrintable(form2->Edit2->text()),
                         form2->RadioButton2->isChecked() ? " transformation" : "",
                         form2->RadioButton3->isChecked() ? " experimental" : "",
                         qPrintable(form->ComboBox2->currentText()), qPrintable(form->Edit6->text()),
                         qPrintable(form->Edit7->text()));
        }
        const bool changed = Hash(form->DataBuffer) != before;
        changedBy[event.name] += changed;
        if (changed && !event.changesBuffer && !countPending && user.yes == yesBefore) {
            ++violations;
            std::fprintf(stderr, "event %ld (%s): the buffer changed\n", e, event.name);
        }
        if (!form->isVisible()) {
            std::fprintf(stderr, "event %ld (%s): the window closed\n", e, event.name);
            return 1;
        }
    }
    InstallPlatform(nullptr);

    std::printf("seed %ld, %ld events\n", seed, events);
    std::printf("  %-20s %6s  %s\n", "action", "events", "of which changed the buffer");
    for (const auto& [name, count] : kinds)
        std::printf("  %-20s %6d  %d\n", name.c_str(), count, changedBy[name]);
    std::printf("messages shown:\n");
    for (const auto& [text, count] : user.messages)
        std::printf("  %6d  %s\n", count, qPrintable(text));
    std::printf("events that kept the event loop from running over %ld ms: %zu kinds\n", maxMs,
                slow.size());
    for (const auto& [name, s] : slow)
        std::printf("  %-20s %6d  longest %lld ms\n", name.c_str(), s.first,
                    static_cast<long long>(s.second));
    std::printf("buffer changed by an action that does not change it: %d\n", violations);
    return violations > 0 || (strict && !slow.empty()) ? 1 : 0;
}
