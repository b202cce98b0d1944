#include "Platform.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMessageBox>
#include <exception>
#include <new>

namespace {
class QtPlatform final : public Platform {
public:
    QString InputBox(const QString& caption, const QString& prompt,
                     const QString& defaultText) override
    {
        bool ok = false;
        const QString text = QInputDialog::getText(QApplication::activeWindow(), caption, prompt,
                                                   QLineEdit::Normal, defaultText, &ok);
        return ok ? text : QString();
    }

    // Plain boxes: no icon; a message has one OK button and the program's name as title, a
    // question Yes and No and an empty title.
    void ShowMessage(const QString& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text,
                        QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    }

    bool AskYesNo(const QString& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Yes | QMessageBox::No,
                        QApplication::activeWindow());
        return box.exec() == QMessageBox::Yes;
    }

    QString ClipboardText() override { return QGuiApplication::clipboard()->text(); }

    void SetClipboardText(const QString& text) override
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(text);
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

void RunHandler(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::bad_alloc&) {
        CurrentPlatform().ShowMessage(QStringLiteral("Not enough memory for this action."));
    } catch (const std::exception& e) {
        CurrentPlatform().ShowMessage(QString::fromUtf8(e.what()));
    } catch (...) {
        CurrentPlatform().ShowMessage(QStringLiteral("Unknown error"));
    }
}
