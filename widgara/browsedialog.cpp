#include "widgara/browsedialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

int CXTBrowseDialog::DoModal()
{
    const QString start = QFileInfo(m_path).isDir() ? m_path : QDir::homePath();
    QFileDialog dialog(m_pParent, m_title.isEmpty() ? QStringLiteral("选择文件夹") : m_title, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    // Qt's own dialog, the same on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return IDCANCEL;
    m_path = QDir::toNativeSeparators(dialog.selectedFiles().front());
    return IDOK;
}
