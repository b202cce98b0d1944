// The Data tab's files with real files on disk: Open... with the column dialog, refusals that
// leave the buffer as it was, Save... and open again bit for bit, the buffer's description, and
// the question before unsaved numbers are lost on close.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <memory>

#include "CommandLine.h"
#include "DataGridModel.h"
#include "FormActions.h"
#include "ScriptedPlatform.h"
#include "Unit1.h"

namespace {
struct DataFiles : ::testing::Test {
    ScriptedPlatform platform;
    QTemporaryDir dir;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();

    DataFiles() { form->show(); }

    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    // Opens through the button, the file dialog answering `path`.
    void Open(const QString& path)
    {
        platform.files.push_back(path);
        form->Button9->click();
    }
};
}  // namespace

TEST_F(DataFiles, OpenAColumnOfTheFileAndDescribeIt)
{
    const QString path = Write("two.csv", "time,load\n1.5,10\n2.5,20\n4,30\n");
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* table = dialog->findChild<QTableWidget*>("ColumnTable");
        EXPECT_EQ(table->currentRow(), 0);  // the first column that loads
        shown = table->item(1, 0)->text() + "|" + table->item(1, 1)->text() + "|" +
                table->item(1, 2)->text();
        table->selectRow(1);
        dialog->findChild<QPushButton*>("OK")->click();
    });
    Open(path);
    EXPECT_EQ(shown, "load|3|10; 20; 30");
    EXPECT_EQ(form->DataBuffer, (TVector{10, 20, 30}));
    EXPECT_EQ(form->Edit5->text(), "3");
    EXPECT_TRUE(form->BufferSaved());
    EXPECT_EQ(form->Label35->text(), "n 3; mean 20; sd 10; min 10; Q1 15; median 20; Q3 25; max 30; "
                                     "skewness 0; excess kurtosis N/A");
    EXPECT_TRUE(platform.messages.isEmpty());
    // A cancelled column dialog loads nothing.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    Open(Write("three.csv", "a;b\n1;2\n"));
    EXPECT_EQ(form->DataBuffer, (TVector{10, 20, 30}));
}

TEST_F(DataFiles, RefusalsLeaveTheBufferAsItWas)
{
    form->DataBuffer = {7, 8};
    platform.saveAnswers.push_back(Platform::SaveAnswer::Discard);
    platform.messages.clear();
    Open(Write("bad.csv", "x\n1\n2\nn/a\n"));
    EXPECT_EQ(platform.messages.last(), "bad.csv: Row 4, column A: 'n/a' is not a number.");
    EXPECT_EQ(form->DataBuffer, (TVector{7, 8}));
    platform.saveAnswers.push_back(Platform::SaveAnswer::Discard);
    Open(dir.filePath("missing.csv"));
    EXPECT_EQ(platform.messages.last(), "Cannot open missing.csv: No such file or directory.");
    platform.saveAnswers.push_back(Platform::SaveAnswer::Discard);
    Open(Write("words.txt", "none\nn/a\n"));
    EXPECT_EQ(platform.messages.last(), "words.txt: Row 2, column A: 'n/a' is not a number.");
    EXPECT_EQ(form->DataBuffer, (TVector{7, 8}));
    // Cancel at the question before the buffer is replaced: no file dialog at all.
    platform.prompts.clear();
    Open(Write("good.csv", "1\n2\n"));
    EXPECT_TRUE(platform.prompts.isEmpty());
    EXPECT_EQ(form->DataBuffer, (TVector{7, 8}));
    // Empty cells are skipped and counted.
    platform.files.clear();
    platform.saveAnswers.push_back(Platform::SaveAnswer::Discard);
    Open(Write("gaps.csv", "x\n1\n\n2\n\"\"\n3\n"));
    EXPECT_EQ(form->DataBuffer, (TVector{1, 2, 3}));
    EXPECT_EQ(platform.messages.last(), "1 empty cell skipped.");
}

TEST_F(DataFiles, SaveThenOpenGivesTheSameDoubles)
{
    form->DataBuffer = {0.1, -2.5e-300, 1.0 / 3, 1.7976931348623157e308, 5e-324, 123456.789};
    const TVector before = form->DataBuffer;
    EXPECT_FALSE(form->BufferSaved());
    const QString path = dir.filePath("saved.csv");
    platform.files.push_back(path);
    form->Button10->click();
    EXPECT_TRUE(form->BufferSaved());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("x\n0.1\n-2.5e-300\n"));
    form->DataBuffer = {1};
    platform.saveAnswers.push_back(Platform::SaveAnswer::Discard);
    Open(path);
    ASSERT_EQ(form->DataBuffer.size(), before.size());
    EXPECT_EQ(std::memcmp(form->DataBuffer.data(), before.data(), before.size() * sizeof(double)), 0);
    // A file that cannot be written says why, and the buffer stays unsaved.
    form->DataBuffer.push_back(2);
    platform.files.push_back(dir.filePath("no/such/folder/x.csv"));
    form->Button10->click();
    EXPECT_TRUE(platform.messages.last().startsWith("Cannot save x.csv: "));
    EXPECT_FALSE(form->BufferSaved());
}

// Closing with numbers that were never saved asks first: Cancel keeps the window, Discard
// closes it, Save writes the file and closes; an empty or saved buffer closes at once.
TEST_F(DataFiles, NothingIsLostOnClose)
{
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(platform.messages.isEmpty());
    form->show();
    form->Edit5->setText("1000");
    form->Edit5Change();  // a thousand zeros typed as a count
    EXPECT_FALSE(form->close());  // no answer: Cancel
    EXPECT_EQ(platform.messages, QStringList({"Save the data before closing?"}));
    EXPECT_TRUE(form->isVisible());
    platform.saveAnswers.push_back(Platform::SaveAnswer::Save);  // its dialog cancelled
    EXPECT_FALSE(form->close());
    const QString path = dir.filePath("kept.csv");
    platform.saveAnswers.push_back(Platform::SaveAnswer::Save);
    platform.files.push_back(path);
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(QFile::exists(path));
    form->show();
    form->DataBuffer[3] = 4;  // changed after saving
    platform.saveAnswers.push_back(Platform::SaveAnswer::Discard);
    EXPECT_TRUE(form->close());
}

// The batch command and the window, on the same file with the same choices, give the same
// numbers: estimates, intervals and the three tests.
TEST_F(DataFiles, TheCommandLineGivesTheWindowsNumbers)
{
    QByteArray text = "life\n";
    for (int i = 1; i <= 300; ++i)
        text += QByteArray::number(DistEval(TDistKind::Gamma, TDistFunc::Inverse, {2.5, 1.5}, (i - 0.3) / 300.4), 'g', 17) + "\n";
    const QString path = Write("gamma.csv", text);
    ASSERT_TRUE(form->OpenDataFile(path));
    form->PageControl1->setCurrentWidget(form->TabSheet3);
    ChooseOnAuto(*form, TDistKind::Gamma);
    form->Edit7->setText("15");
    form->Button5->click();
    ASSERT_EQ(form->LastIntervals.size(), 2u);

    const std::string file = path.toStdString();
    const char* argv[] = {"velmora", "fit", "--kind", "Gamma", "--categories", "15", "--format", "json", file.c_str()};
    std::ostringstream out, err;
    ASSERT_EQ(RunCommandLine(9, argv, out, err), 0) << err.str();
    const auto shortest = [](double v) { return QByteArray::number(v, 'g', 17).toStdString(); };
    std::string expected = "{\"n\": 300, \"kind\": \"Gamma\", \"categories\": 15, \"params\": [";
    for (int i = 0; i < 2; ++i) {
        const TParamInterval& iv = form->LastIntervals[i];
        expected += std::string(i ? ", " : "") + "{\"name\": \"" + (i ? "theta" : "k") + "\", \"estimate\": " +
                    shortest(form->FitParams[i]) + ", \"se\": " + shortest(iv.se) + ", \"lower\": " +
                    shortest(iv.lower) + ", \"upper\": " + shortest(iv.upper) + "}";
    }
    // Both print each double so that it reads back the same: compared as numbers.
    const auto numbers = [](const std::string& s) {
        std::vector<double> all;
        std::istringstream in(s);
        for (std::string word; in >> word;) {
            while (!word.empty() && std::string(",}]").find(word.back()) != std::string::npos)
                word.pop_back();
            double v = 0;
            if (std::sscanf(word.c_str(), "%lf", &v) == 1 && (std::isdigit(word[0]) || word[0] == '-'))
                all.push_back(v);
        }
        return all;
    };
    const std::vector<double> cli = numbers(out.str()), window = numbers(expected);
    ASSERT_GE(cli.size(), window.size());
    for (std::size_t i = 0; i < window.size(); ++i)
        EXPECT_EQ(cli[i], window[i]) << i;
    EXPECT_NE(out.str().find("\"statistic\": " + shortest(static_cast<double>(form->LastFit.R)).substr(0, 10)), std::string::npos);
    EXPECT_NE(out.str().find("\"df\": " + std::to_string(form->LastFit.df)), std::string::npos);
    EXPECT_EQ(form->LastEdf.replicates, 1000);
    for (double v : {form->LastEdf.AD, form->LastEdf.pAD, form->LastEdf.KS, form->LastEdf.pKS})
        EXPECT_NE(std::count_if(cli.begin(), cli.end(), [v](double c) { return c == v; }), 0) << v;
}

// A file dropped on the window opens as Open... opens it; Ctrl+O asks for one.
TEST_F(DataFiles, DropAFileOrPressCtrlO)
{
    const QString path = Write("dropped.txt", "4.5\n5.5\n");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    EXPECT_EQ(form->DataBuffer, (TVector{4.5, 5.5}));
    // Text that is not a file is not taken.
    QMimeData text;
    text.setText("1\n2\n");
    QDragEnterEvent other(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &other);
    EXPECT_FALSE(other.isAccepted());

    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    platform.prompts.clear();
    platform.files.push_back(Write("keyed.csv", "x\n7\n"));
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(platform.prompts, QStringList({"Open data"}));
    EXPECT_EQ(form->DataBuffer, (TVector{7}));
}
