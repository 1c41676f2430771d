#pragma once
// The start page: an HTML page shipped with the program, with six buttons
// that are links of the private scheme "app:" ("app:1" … "app:6"). Such a
// link runs a command of the program instead of being followed: a new bar
// list, open a file, new project, open project, the tutorial, the update
// check. Any other link is followed as usual; an unknown "app:" number does
// nothing. A button shows its second picture while the mouse is over it.
//
// Below the buttons the page lists the recent projects and files, as the
// 工程 and 文件 menus do ("recent:project/N", "recent:file/N" links open
// them); the lists are read again each time the page is shown.

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
    // Coming to the front, the page shows the recent work as it now is.
    void OnActivateView(bool bActivate, platform::View* pActivateView,
                        platform::View* pDeactiveView) override;
    // Shows the recent work again when it changed since it was shown.
    void refreshRecentWork();

    // The section of recent work for these projects and files (most recent
    // first), or nothing when both lists are empty.
    static QString recentWorkHtml(const QStringList& projects, const QStringList& files);

protected:
    // The page comes with the recent work in place of its marker.
    QVariant loadResource(int type, const QUrl& name) override;
    // The window comes back to the front, after a dialog that may have
    // opened a project or a file.
    void changeEvent(QEvent* event) override;

private:
    void onAnchorClicked(const QUrl& url);
    // Opens the recent project or file of a "recent:" link.
    void openRecent(const QUrl& url);
    void onHighlighted(const QUrl& url);
    // Shows the picture of button `number` (1..6) at rest or under the mouse.
    void showButton(int number, bool hover);

    // The recent projects and files (most recent first) as they are, and
    // as the page shows them.
    QStringList recentProjects() const;
    QStringList recentFiles() const;

    int m_hovered = 0;
    QStringList m_shownProjects;
    QStringList m_shownFiles;
};
