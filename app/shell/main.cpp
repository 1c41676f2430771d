#include "app/shell/mainframe.h"
#include "platform/folders.h"
#include "platform/ui/qthostservices.h"
#include "platform/ui/translations.h"
#include "tables/framework/tableslibrary.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Rodo"));
    QApplication::setApplicationName(QStringLiteral("Rodo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Rodo表"));
    platform::installChineseTranslations(app);

    platform::QtHostServices host;
    platform::setHost(&host);
    platform::dataFolder();
    tablesLibraryInit();

    CMainFrame frame;
    frame.show();
    const int rc = QApplication::exec();
    tablesLibraryShutdown();
    platform::setHost(nullptr);
    return rc;
}
