#pragma once
// The start page: an HTML page shipped with the program, with six buttons
// that are links of the private scheme "app:" ("app:1" … "app:6"). Such a
// link runs a command of the program instead of being followed: a new bar
// list, open a file, new project, open project, the tutorial, the update
// check. Any other link is followed as usual; an unknown "app:" number does
// nothing. A button shows its second picture while the mouse is over it.

#include "platform/ui/view.h"

#include <QTextBrowser>

class CRODOStartView : public QTextBrowser, public platform::View {
    Q_OBJECT
public:
    // Where the page lies among the program's resources.
    static constexpr const char* kPage = "qrc:/startpage/START.html";

    explicit CRODOStartView(QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    // Before a link is followed: an "app:" link (in any case) runs its
    // command and sets `cancel`.
    virtual void OnBeforeNavigate2(const QUrl& url, bool& cancel);
    // Runs the command of an "app:" link's text ("1" … "6").
    virtual void OnAppCmd(const QString& command);

private:
    void onAnchorClicked(const QUrl& url);
    void onHighlighted(const QUrl& url);
    // Shows the picture of button `number` (1..6) at rest or under the mouse.
    void showButton(int number, bool hover);

    int m_hovered = 0;
};
