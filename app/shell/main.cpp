#include "app/shell/mainframe.h"
#include "envora/steelyuancaidata.h"
#include "envora/ui/infodialogs.h"
#include "platform/folders.h"
#include "platform/ui/qthostservices.h"
#include "platform/ui/translations.h"
#include "tables/framework/tableslibrary.h"
#include "tables/quantity/rawstockdlg.h"

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
    // The settings library edits the default raw stock in the tables' dialog.
    envora::setRawStockEditor([](CVes_SteelYuanCaiDataLib& library, QWidget* parent) {
        CVes_RawStockDlg dialog(parent);
        dialog.m_pYuanCaiLib = &library;
        return dialog.exec() == QDialog::Accepted;
    });

    CMainFrame frame;
    frame.show();
    const int rc = QApplication::exec();
    tablesLibraryShutdown();
    platform::setHost(nullptr);
    return rc;
}
