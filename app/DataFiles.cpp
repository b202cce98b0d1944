// The Data tab's files: Open... (a column chosen where the file has more), Save..., a file
// dropped on the window, the question before unsaved numbers are lost, and the buffer's
// description.
#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "Controls.h"
#include "Counts.h"
#include "DataFile.h"
#include "DataGridModel.h"
#include "NumberFormat.h"
#include "Platform.h"
#include "Progress.h"
#include "Unit1.h"

namespace {
const QString DataFilter = QStringLiteral("CSV (*.csv);;Text (*.txt *.tsv *.dat);;All files (*)");
const QString SaveFilter = QStringLiteral("CSV (*.csv);;Text (*.txt)");

// A fingerprint of the buffer's bits, the digest the bootstraps are seeded by: any change of a
// value or of the count changes it.
std::uint64_t Fingerprint(const TVector& values)
{
    constexpr std::uint64_t BufferPurpose = 0x62756666;  // "buff"
    return QuestionDigest(values, TDistKind::UniformStd, {}, TParamSet(), BufferPurpose);
}

QString FileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

// The column dialog: a row per column with its name, count of numbers (or why it is refused)
// and first values; OK or a double click takes the selected one.
int ChooseColumn(QWidget* owner, const std::vector<TDataColumn>& columns, char sep)
{
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("ColumnDialog"));
    dialog.setWindowTitle(QStringLiteral("Choose a column"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(QStringLiteral("The file has %1 columns. Load which one?").arg(columns.size()));
    layout->addWidget(label);
    auto* table = new QTableWidget(static_cast<int>(columns.size()), 3, &dialog);
    table->setObjectName(QStringLiteral("ColumnTable"));
    table->setAccessibleName(QStringLiteral("Columns of the file"));
    table->setHorizontalHeaderLabels({QStringLiteral("Column"), QStringLiteral("Numbers"),
                                      QStringLiteral("First values")});
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const TDataColumn& c = columns[i];
        QString first;
        for (std::size_t j = 0; j < c.values.size() && j < 3; ++j)
            first += (j ? QStringLiteral("; ") : QString()) + QString::fromStdString(FormatGeneral(c.values[j], sep));
        const QString count = c.refusal.empty() ? QString::number(c.values.size())
                                                : QStringLiteral("not numbers");
        const int row = static_cast<int>(i);
        table->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(c.name)));
        table->setItem(row, 1, new QTableWidgetItem(count));
        table->setItem(row, 2, new QTableWidgetItem(first));
        if (!c.refusal.empty())
            table->item(row, 1)->setToolTip(QString::fromStdString(c.refusal));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    // The first column that loads is chosen to begin with.
    const auto loads = std::find_if(columns.begin(), columns.end(), [](const TDataColumn& c) {
        return c.refusal.empty() && !c.values.empty();
    });
    table->selectRow(loads == columns.end() ? 0 : static_cast<int>(loads - columns.begin()));
    layout->addWidget(table);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OK"));
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(table, &QTableWidget::cellDoubleClicked, &dialog, &QDialog::accept);
    dialog.resize(460, 300);
    if (dialog.exec() != QDialog::Accepted || table->currentRow() < 0)
        return -1;
    return table->currentRow();
}
}  // namespace

void TForm1::BuildDataFileControls()
{
    const char* openHint = "Open a data file (CSV, TSV or text) into the buffer (Ctrl+O)";
    const char* saveHint = "Save the buffer as a CSV or text file (Ctrl+S)";
    const char* describeHint =
        "The buffer's count, mean, standard deviation (n - 1), quartiles (R's type 7), skewness "
        "G1 and excess kurtosis G2 (adjusted Fisher-Pearson)";
    Button9 = MakeButton(Panel2, "Button9", {8, 40, 75, 25}, "Open...", openHint);
    Button10 = MakeButton(Panel2, "Button10", {88, 40, 75, 25}, "Save...", saveHint);
    Label35 = MakeLabel(Panel2, "Label35", 8, 70, "", describeHint);
    Label35->setWordWrap(true);
    Label35->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Label35->setFocusPolicy(Qt::StrongFocus);
    Label35->setAccessibleName(QStringLiteral("Description of the buffered data"));
    Label35->setGeometry(8, 68, 526, 34);
    Wire(Button9, &QPushButton::clicked, this, [this] { Button9Click(); });
    Wire(Button10, &QPushButton::clicked, this, [this] { Button10Click(); });
    auto* open = new QShortcut(QKeySequence::Open, this);
    auto* save = new QShortcut(QKeySequence::Save, this);
    connect(open, &QShortcut::activated, this, [this] { RunHandler(this, [this] { Button9Click(); }); });
    connect(save, &QShortcut::activated, this, [this] { RunHandler(this, [this] { Button10Click(); }); });
    setAcceptDrops(true);
    // After the described controls and before the grid: Open, Save, the description.
    TabChain({Button6, Button9, Button10, Label35, StringGrid1});
    ShowDescription();
}

void TForm1::ShowDescription()
{
    const std::uint64_t fingerprint = Fingerprint(DataBuffer);
    if (!Label35->text().isEmpty() && DataBuffer.size() == DescribedCount &&
        fingerprint == DescribedFingerprint)
        return;
    DescribedCount = DataBuffer.size();
    DescribedFingerprint = fingerprint;
    const char sep = DecimalSeparator();
    const TDescription d = Describe(DataBuffer);
    const auto v = [sep](double x) {
        return std::isnan(x) ? QStringLiteral("N/A") : QString::fromStdString(FormatDigits(x, 6, sep));
    };
    Label35->setText(QStringLiteral("n %1; mean %2; sd %3; min %4; Q1 %5; median %6; Q3 %7; max %8; "
                                    "skewness %9; excess kurtosis %10")
                         .arg(d.n)
                         .arg(v(d.mean), v(d.sd), v(d.min), v(d.q1), v(d.median), v(d.q3), v(d.max),
                              v(d.skewness))
                         .arg(v(d.kurtosis)));
}

bool TForm1::BufferSaved() const
{
    return DataBuffer.empty() ||
           (DataBuffer.size() == SavedCount && Fingerprint(DataBuffer) == SavedFingerprint);
}

void TForm1::MarkBufferSaved()
{
    SavedCount = DataBuffer.size();
    SavedFingerprint = Fingerprint(DataBuffer);
}

bool TForm1::OfferToSave(const QString& question)
{
    if (GridModel->FirstEdit() >= 0)
        StringGrid1Exit();  // typed cells first: applied, or left as the user says
    if (BufferSaved())
        return true;
    switch (CurrentPlatform().AskSave(this, question)) {
    case Platform::SaveAnswer::Save:
        return SaveWithDialog();
    case Platform::SaveAnswer::Discard:
        return true;
    case Platform::SaveAnswer::Cancel:
        break;
    }
    return false;
}

void TForm1::Button9Click()
{
    if (!OfferToSave(QStringLiteral("Save the data before opening another file?")))
        return;
    const QString path = CurrentPlatform().OpenFileName(this, QStringLiteral("Open data"), DataFilter);
    if (!path.isEmpty())
        OpenDataFile(path);
}

void TForm1::Button10Click()
{
    if (GridModel->FirstEdit() >= 0)
        StringGrid1Exit();
    SaveWithDialog();
}

bool TForm1::SaveWithDialog()
{
    const QString path = CurrentPlatform().SaveFileName(this, QStringLiteral("Save data"), SaveFilter);
    return !path.isEmpty() && SaveDataFile(path);
}

bool TForm1::OpenDataFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        CurrentPlatform().ShowMessage(this, QStringLiteral("Cannot open %1: %2.").arg(FileName(path), file.errorString()));
        return false;
    }
    std::string bytes;
    {
        const BusyCursor busy;
        const QByteArray read = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            CurrentPlatform().ShowMessage(this, QStringLiteral("Cannot read %1: %2.").arg(FileName(path), file.errorString()));
            return false;
        }
        bytes.assign(read.constData(), static_cast<std::size_t>(read.size()));
    }
    TDataFileReader reader(std::move(bytes), DecimalSeparator());
    if (!RunWithProgress(this, QStringLiteral("Reading %1").arg(FileName(path)),
                         [&reader] { return reader.Step(); }, [&reader] { return reader.Progress(); }))
        return false;
    const auto refuse = [&](const QString& why) {
        CurrentPlatform().ShowMessage(this, QStringLiteral("%1: %2").arg(FileName(path), why));
        return false;
    };
    if (!reader.Refusal().empty())
        return refuse(QString::fromStdString(reader.Refusal()));
    std::vector<TDataColumn>& columns = reader.Columns();
    if (std::all_of(columns.begin(), columns.end(),
                    [](const TDataColumn& c) { return c.values.empty() && c.refusal.empty(); }))
        return refuse(QStringLiteral("the file holds no numbers."));
    const int chosen = columns.size() == 1 ? 0 : ChooseColumn(this, columns, DecimalSeparator());
    if (chosen < 0)
        return false;
    TDataColumn& column = columns[static_cast<std::size_t>(chosen)];
    if (!column.refusal.empty())
        return refuse(QString::fromStdString(column.refusal));
    if (column.values.size() > MaxDataCount)
        return refuse(QStringLiteral("more than %1 numbers.").arg(MaxDataCount));
    DataBuffer.swap(column.values);
    MarkBufferSaved();
    PageControl1->setCurrentWidget(TabSheet2);
    ShowDataBuffer();
    if (column.empty > 0)
        CurrentPlatform().ShowMessage(
            this, QStringLiteral("%1 empty cell%2 skipped.").arg(column.empty).arg(column.empty == 1 ? "" : "s"));
    return true;
}

bool TForm1::SaveDataFile(const QString& path)
{
    const bool csv = !path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
    const BusyCursor busy;
    const std::string text = DataColumnText(DataBuffer, csv);
    if (!SaveWhole(this, path, QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size()))))
        return false;
    MarkBufferSaved();
    return true;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    bool close = true;
    RunHandler(this, [&] { close = OfferToSave(QStringLiteral("Save the data before closing?")); });
    if (close)
        event->accept();
    else
        event->ignore();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    const QString path = urls.front().toLocalFile();
    RunHandler(this, [this, path] {
        if (OfferToSave(QStringLiteral("Save the data before opening another file?")))
            OpenDataFile(path);
    });
}
