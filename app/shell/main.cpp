#include "app/shell/myrdapp.h"
#include "envora/steelyuancaidata.h"
#include "envora/ui/infodialogs.h"
#include "platform/folders.h"
#include "platform/ui/qthostservices.h"
#include "platform/ui/translations.h"
#include "tables/quantity/ui/rawstockdlg.h"
#include "tables/ui/tabledialogs.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    platform::ChineseDates dates;
    QApplication app(argc, argv);
    dates.restore();
    QApplication::setOrganizationName(QStringLiteral("Rodo"));
    QApplication::setApplicationName(QStringLiteral("Rodo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Rodo表"));
    platform::installChineseTranslations(app);

    platform::QtHostServices host;
    platform::setHost(&host);
    platform::dataFolder();
    // The settings library edits the default raw stock in the tables' dialog.
    envora::setRawStockEditor(&CVes_RawStockDlg::editDefaultStock);
    // The tables ask for their dialogs through the host services.
    serveTableDialogs();

    int rc = 0;
    {
        CMyRdApp theApp;
        if (theApp.InitInstance(app.arguments().mid(1))) {
            QApplication::exec();
            rc = theApp.ExitInstance();
        }
    }
    platform::setHost(nullptr);
    return rc;
}
