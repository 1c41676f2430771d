#pragma once
// What model code needs from the user's desktop: message boxes and questions,
// the wait cursor, the choice of a file to save, opening a file or address
// with the desktop's program and the clock. The program installs the Qt implementation; tests install a
// recorder with scripted answers; without either, a quiet default answers
// every question with its safe choice.

#include <QDateTime>
#include <QString>

namespace platform {

enum class MessageIcon { Information, Warning, Stop, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

class HostServices {
public:
    virtual ~HostServices() = default;

    virtual Answer message(const QString& text, MessageIcon icon, Buttons buttons,
                           const QString& title) = 0;
    virtual void beginWait() = 0;
    virtual void endWait() = 0;
    // Opens a file or address with the desktop's program for it; false when
    // no program was found or it could not be started.
    virtual bool openWithDesktop(const QString& pathOrUrl) = 0;
    // Asks where to save a file, proposing `proposedPath` (its folder and
    // name); `filter` in Qt's form ("Excel 工作簿 (*.xlsx)"). The chosen
    // path, or an empty text when the user cancelled.
    virtual QString askSaveFileName(const QString& title, const QString& proposedPath,
                                    const QString& filter) = 0;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
};

// The services in force; never null.
HostServices& host();
// Installs `services` (not owned); nullptr restores the quiet default.
void setHost(HostServices* services);

// Shorthands for the usual calls.
void showMessage(const QString& text, MessageIcon icon = MessageIcon::Information,
                 const QString& title = {});
Answer ask(const QString& text, Buttons buttons = Buttons::YesNo, const QString& title = {});

// Shows the wait cursor for its lifetime.
class WaitCursor {
public:
    WaitCursor() { host().beginWait(); }
    ~WaitCursor() { host().endWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The answer a box gives when nobody is there to click: the choice that
// changes nothing.
Answer safeAnswer(Buttons buttons);

} // namespace platform
