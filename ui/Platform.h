// The platform layer: modal prompts, message boxes and the clipboard, behind a small interface
// so that tests can script the user's answers. The real implementation uses Qt's dialogs.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

// The boxes belong to the window they concern, `owner`: they are modal to it and centred over
// it.
class Platform {
public:
    virtual ~Platform() = default;
    // Modal input box; nothing for a box cancelled (its Cancel button, Escape, its close box).
    virtual std::optional<QString> InputBox(QWidget* owner, const QString& caption,
                                            const QString& prompt, const QString& defaultText) = 0;
    // Message box with one OK button.
    virtual void ShowMessage(QWidget* owner, const QString& text) = 0;
    // Yes/No question with an empty title; true for Yes.
    virtual bool AskYesNo(QWidget* owner, const QString& text) = 0;
    virtual QString ClipboardText() = 0;
    // Empties the clipboard and puts the plain text on it.
    virtual void SetClipboardText(const QString& text) = 0;
    // Puts an image on the clipboard (as PNG for the programs that paste it).
    virtual void SetClipboardImage(const QImage& image) = 0;
    // The file dialogs: a path, or the empty text for a dialog cancelled. `filter` lists the
    // kinds ("CSV (*.csv);;Text (*.txt)"); a save dialog adds the chosen kind's suffix where
    // the name has none.
    virtual QString OpenFileName(QWidget* owner, const QString& caption, const QString& filter) = 0;
    virtual QString SaveFileName(QWidget* owner, const QString& caption, const QString& filter) = 0;
    // The question before work is lost: Save, Discard or Cancel.
    enum class SaveAnswer { Save, Discard, Cancel };
    virtual SaveAnswer AskSave(QWidget* owner, const QString& text) = 0;
};

// The process-wide platform; the Qt one unless a test installed another.
Platform& CurrentPlatform();
// Installs a platform (not owned); nullptr restores the Qt one.
void InstallPlatform(Platform* platform);

// The application's default error handler: runs an action, and when it throws, shows the
// error's message in a message box over `owner`, the window of the action; the program goes
// on.
void RunHandler(QWidget* owner, const std::function<void()>& action);

// Writes a file whole, beside it and renamed over it (a failure leaves the old file); false,
// with "Cannot save NAME: why." over `owner`, where it cannot.
bool SaveWhole(QWidget* owner, const QString& path, const QByteArray& bytes);
