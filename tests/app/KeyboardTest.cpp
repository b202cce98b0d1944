// The windows by keyboard and screen reader: Tab walks each tab's controls, every stop is a
// visible, enabled control with a name a screen reader can announce, and every label names
// its field.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QImage>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <memory>

#include "PlatformEvents.h"
#include "ScriptedPlatform.h"
#include "Unit1.h"
#include "Unit2.h"

namespace {
QString AccessibleName(QWidget* w)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QString();
}

// The stops Tab reaches from the focused widget until it comes back, by real key events.
QList<QWidget*> TabChain(QWidget* window)
{
    QList<QWidget*> chain;
    for (int i = 0; i < 60; ++i) {
        PressKey(window, Qt::Key_Tab, QStringLiteral("\t"));
        QWidget* at = QApplication::focusWidget();
        if (!at || chain.contains(at))
            break;
        chain << at;
    }
    return chain;
}

QString Describe(QWidget* w)
{
    return w->objectName() + " (" + w->metaObject()->className() + ")";
}

void ExpectNamedVisibleStops(QWidget* window, const QList<QWidget*>& chain, const QString& where)
{
    EXPECT_GE(chain.size(), 3) << where.toStdString();
    for (QWidget* w : chain) {
        const std::string what = (where + ": " + Describe(w)).toStdString();
        EXPECT_TRUE(w->isVisible()) << what;
        EXPECT_TRUE(w->isEnabled()) << what;
        EXPECT_TRUE(QRect(w->mapTo(window, QPoint()), w->size()).intersects(window->rect()) &&
                    !w->size().isEmpty())
            << what;
        EXPECT_FALSE(AccessibleName(w).isEmpty()) << what;
        EXPECT_EQ(w->window(), window) << what;
    }
}
}  // namespace

TEST(Keyboard, EveryTabStopOfTheMainWindowIsVisibleEnabledAndNamed)
{
    ScriptedPlatform platform;
    auto form = std::make_unique<TForm1>();
    ASSERT_TRUE(ShowActive(form.get()));
    auto* pages = form->findChild<QTabWidget*>("PageControl1");
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        pages->tabBar()->setFocus();
        QApplication::processEvents();
        const QList<QWidget*> chain = TabChain(form.get());
        ExpectNamedVisibleStops(form.get(), chain, pages->tabText(page));
        EXPECT_EQ(chain.back(), pages->tabBar());  // the chain closes on the tab bar
    }
}

TEST(Keyboard, EveryTabStopOfTheGenerationDialogIsVisibleEnabledAndNamed)
{
    ScriptedPlatform platform;
    auto form2 = std::make_unique<TForm2>();
    ASSERT_TRUE(ShowActive(form2.get()));
    ExpectNamedVisibleStops(form2.get(), TabChain(form2.get()), "Generate RND");
}

TEST(Keyboard, EveryLabelNamesItsField)
{
    ScriptedPlatform platform;
    auto form = std::make_unique<TForm1>();
    auto form2 = std::make_unique<TForm2>();
    for (QWidget* window : {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(form2.get())})
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->buddy())
                continue;
            EXPECT_FALSE(AccessibleName(label->buddy()).isEmpty()) << Describe(label).toStdString();
        }
}

// Each chart leaves the window as an image: from its context menu, and by Ctrl+C once Tab
// has brought focus to it.
TEST(Keyboard, ChartsCopyTheirImage)
{
    ScriptedPlatform platform;
    auto form = std::make_unique<TForm1>();
    ASSERT_TRUE(ShowActive(form.get()));
    auto* pages = form->findChild<QTabWidget*>("PageControl1");
    for (const char* name : {"Chart1", "Chart2"}) {
        auto* chart = form->findChild<QChartView*>(name);
        pages->setCurrentWidget(chart->parentWidget());
        QApplication::processEvents();

        const QList<QAction*> menu = chart->actions();
        ASSERT_EQ(menu.size(), 2) << name;
        EXPECT_EQ(menu[0]->text(), "Copy image");
        EXPECT_EQ(menu[1]->text(), "Save image as...");
        EXPECT_EQ(chart->contextMenuPolicy(), Qt::ActionsContextMenu);

        platform.clipboardImage = QImage();
        pages->tabBar()->setFocus();
        for (int i = 0; i < 30 && QApplication::focusWidget() != chart; ++i)
            PressKey(form.get(), Qt::Key_Tab, QStringLiteral("\t"));
        ASSERT_EQ(QApplication::focusWidget(), chart) << name;
        PressKey(form.get(), Qt::Key_C, QStringLiteral("\x03"), Qt::ControlModifier);
        const QImage image = platform.clipboardImage;
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_EQ(image.deviceIndependentSize().toSize(), chart->viewport()->size()) << name;
        EXPECT_EQ(image.devicePixelRatio(), chart->devicePixelRatio()) << name;
    }
}
