#include "Platform.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QStyle>
#include <QMessageBox>
#include <exception>
#include <new>

namespace {
// What a title bar takes beside its caption: the window's icon and its three buttons, with
// room for a title font larger than the window's.
constexpr int TitleBarExtras = 160;

class QtPlatform final : public Platform {
public:
    std::optional<QString> InputBox(QWidget* owner, const QString& caption, const QString& prompt,
                                    const QString& defaultText) override
    {
        QInputDialog box(owner);
        box.setWindowTitle(caption);
        box.setLabelText(prompt);
        box.setTextValue(defaultText);
        // Wide enough for the whole caption in the title bar, beside its icon and buttons: the
        // box's layout sizes it to its contents, so the contents are made that wide.
        const int width = box.fontMetrics().horizontalAdvance(caption) + TitleBarExtras;
        if (auto* field = box.findChild<QLineEdit*>())
            field->setMinimumWidth(width - 2 * box.style()->pixelMetric(QStyle::PM_LayoutLeftMargin));
        if (box.exec() != QDialog::Accepted)
            return std::nullopt;
        return box.textValue();
    }

    // Plain boxes: no icon; a message has one OK button and the program's name as title, a
    // question Yes and No and an empty title.
    void ShowMessage(QWidget* owner, const QString& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text,
                        QMessageBox::Ok, owner);
        box.exec();
    }

    bool AskYesNo(QWidget* owner, const QString& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Yes | QMessageBox::No,
                        owner);
        return box.exec() == QMessageBox::Yes;
    }

    QString ClipboardText() override { return QGuiApplication::clipboard()->text(); }

    void SetClipboardText(const QString& text) override
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(text);
    }

    void SetClipboardImage(const QImage& image) override
    {
        QGuiApplication::clipboard()->setImage(image);
    }

    QString OpenFileName(QWidget* owner, const QString& caption, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(owner, caption, QString(), filter);
    }

    QString SaveFileName(QWidget* owner, const QString& caption, const QString& filter) override
    {
        QFileDialog dialog(owner, caption, QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        const auto suffix = [&dialog] {
            const QString kind = dialog.selectedNameFilter();
            const qsizetype star = kind.indexOf(QStringLiteral("*."));
            return star < 0 ? QString() : kind.mid(star + 2).section(QLatin1Char(')'), 0, 0).section(QLatin1Char(' '), 0, 0);
        };
        dialog.setDefaultSuffix(suffix());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, suffix] { dialog.setDefaultSuffix(suffix()); });
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().front();
    }

    SaveAnswer AskSave(QWidget* owner, const QString& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
        box.setDefaultButton(QMessageBox::Save);
        switch (box.exec()) {
        case QMessageBox::Save:
            return SaveAnswer::Save;
        case QMessageBox::Discard:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
        }
    }
};

QtPlatform qtPlatform;
Platform* installed = nullptr;
}  // namespace

Platform& CurrentPlatform()
{
    return installed ? *installed : qtPlatform;
}

void InstallPlatform(Platform* platform)
{
    installed = platform;
}

bool SaveWhole(QWidget* owner, const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    CurrentPlatform().ShowMessage(owner, QStringLiteral("Cannot save %1: %2.")
                                             .arg(QFileInfo(path).fileName(), file.errorString()));
    return false;
}

void RunHandler(QWidget* owner, const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::bad_alloc&) {
        CurrentPlatform().ShowMessage(owner, QStringLiteral("Not enough memory for this action."));
    } catch (const std::exception& e) {
        CurrentPlatform().ShowMessage(owner, QString::fromUtf8(e.what()));
    } catch (...) {
        CurrentPlatform().ShowMessage(owner, QStringLiteral("Unknown error"));
    }
}
