// The library manager's files: importing and exporting libraries and
// shapes, backup and restore, and saving the library.

#include "shapeui/modellibdlg.h"

#include "core/geometry/datafolder.h"
#include "platform/hostservices.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>

namespace {

CVes_ModelLibDlg::FileDialog& fileDialog()
{
    static CVes_ModelLibDlg::FileDialog dialog;
    return dialog;
}

const char* const kLibFilter = "钢筋大样库文件(*.jlb)|*.jlb|钢筋大样文件(*.stl)|*.stl|所有文件(*.*)|*.*||";
const char* const kShapeFilter = "钢筋大样文件(*.stl)|*.stl|所有文件(*.*)|*.*||";

// A file to import that could not be read (damaged, or of another kind).
void reportUnreadableImport(const QString& path)
{
    platform::showMessage(QStringLiteral("导入失败，文件无法读取：\n%1").arg(QDir::toNativeSeparators(path)),
                          platform::MessageIcon::Stop);
}

void reportUnsaved(const QString& path)
{
    platform::showMessage(QStringLiteral("文件保存失败：\n%1").arg(QDir::toNativeSeparators(path)),
                          platform::MessageIcon::Stop);
}

// The files the library manager reads and writes: a whole library, or one
// shape.
enum class LibFile { Library, Shape };

// The file dialog's request for `kind`: a save dialog proposing
// `defaultName`, or an open dialog for an existing file.
ModelLibFileRequest fileRequest(LibFile kind, bool save, const QString& defaultName = QString())
{
    const bool library = kind == LibFile::Library;
    ModelLibFileRequest request;
    request.save = save;
    request.mustExist = !save;
    request.defaultSuffix = library ? QStringLiteral("jlb") : QStringLiteral("stl");
    request.defaultName = defaultName.isEmpty() ? QStringLiteral("*.") + request.defaultSuffix : defaultName;
    request.filter = qtFileFilter(QString::fromUtf8(library ? kLibFilter : kShapeFilter));
    return request;
}

} // namespace

QString qtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts.at(i).isEmpty())
            break;
        QString description = parts.at(i);
        const int bracket = description.indexOf(QLatin1Char('('));
        if (bracket > 0)
            description = description.left(bracket);
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            if (pattern == QStringLiteral("*.*"))
                pattern = QStringLiteral("*");
        }
        out.append(description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return out.join(QStringLiteral(";;"));
}

void CVes_ModelLibDlg::setFileDialog(FileDialog dialog)
{
    fileDialog() = std::move(dialog);
}

QString CVes_ModelLibDlg::runFileDialog(const ModelLibFileRequest& request) const
{
    if (const FileDialog& hook = fileDialog())
        return hook(request);
    QFileDialog dialog(const_cast<CVes_ModelLibDlg*>(this), request.title);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.defaultName.contains(QLatin1Char('*')))
        dialog.selectFile(request.defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void CVes_ModelLibDlg::importLib()
{
    const QString path = runFileDialog(fileRequest(LibFile::Library, false));
    if (path.isEmpty())
        return;
    if (!m_pCurLib->appendLib(path, 0)) {
        reportUnreadableImport(path);
        return;
    }
    refreshShapes();
    fillSubLibList(0);
    fillSubLibList(side());
    m_sysList->update();
    m_useList->update();
}

void CVes_ModelLibDlg::exportLib()
{
    const QString path = runFileDialog(fileRequest(LibFile::Library, true));
    if (path.isEmpty())
        return;
    if (!m_pCurLib->saveLib(path, 0))
        reportUnsaved(path);
}

void CVes_ModelLibDlg::importShape()
{
    const QString path = runFileDialog(fileRequest(LibFile::Shape, false));
    if (path.isEmpty())
        return;
    std::unique_ptr<CVes_ModelRecord> record = newRecord();
    if (!record->readFile(path)) {
        reportUnreadableImport(path);
        return;
    }
    if (m_pCurLib->getUselibArray().empty() && side() == 0 && !newCategory())
        return;
    addToCategory(record.get());
}

void CVes_ModelLibDlg::exportShape()
{
    CVes_ModelRecord* selected = getSelectShape();
    if (!selected)
        return;
    const QString path = runFileDialog(
        fileRequest(LibFile::Shape, true, selected->getID().ToString() + QStringLiteral(".stl")));
    if (path.isEmpty())
        return;
    if (!selected->saveFile(path))
        reportUnsaved(path);
}

void CVes_ModelLibDlg::backupLib()
{
    const QString stamp = platform::host().now().toString(QStringLiteral("yyyy_MM_dd_HH_mm"));
    const QString path =
        runFileDialog(fileRequest(LibFile::Library, true, QStringLiteral("用户钢筋库备份_%1.jlb").arg(stamp)));
    if (path.isEmpty())
        return;
    if (!m_pCurLib->saveLib(path, 0))
        reportUnsaved(path);
}

void CVes_ModelLibDlg::restoreLib()
{
    if (platform::ask(QStringLiteral("进行此次操作后，目前的钢筋大样库将被取代，请确认是否执行此次操作？"))
        != platform::Answer::Yes)
        return;
    const QString path = runFileDialog(fileRequest(LibFile::Library, false));
    if (path.isEmpty())
        return;
    if (platform::ask(QStringLiteral("进行此次操作后，目前的钢筋大样库将被取代，请再次确认是否执行此次操作？"))
        != platform::Answer::Yes)
        return;
    // The present library is kept when its backup failed or the file
    // cannot replace it.
    if (!backUp())
        return;
    if (!m_pCurLib->restoreLib(path, 0)) {
        platform::showMessage(QStringLiteral("恢复失败，文件无法读取或不含钢筋大样：\n%1").arg(QDir::toNativeSeparators(path)),
                              platform::MessageIcon::Stop);
        return;
    }
    // The user side was replaced: what was shown of it is gone.
    const bool userShown = m_pShownSubLib && !m_bSys;
    if (userShown) {
        m_pShownSubLib = nullptr;
        m_pShowRecords = nullptr;
    }
    fillSubLibList(0);
    fillSubLibList(side());
    if (userShown)
        OnPaneClicked(m_useList);
    else
        refreshShapes();
    m_sysList->update();
    m_useList->update();
    saveSide(0);
}

bool CVes_ModelLibDlg::backUp()
{
    const QString source = sidePath(0);
    if (!QFileInfo::exists(source))
        return true; // nothing stored yet, nothing to keep
    const QString stamp = platform::host().now().toString(QStringLiteral("yyyy_MM_dd_HH_mm"));
    const QString target = GetRODOFilePath() + QStringLiteral("userdata/用户钢筋库备份_%1.jlb").arg(stamp);
    m_pCurLib->bakLib(target, 0);
    QFile copied(target);
    if (copied.exists() && copied.size() == QFileInfo(source).size())
        return true;
    platform::showMessage(QStringLiteral("%1备份失败，本次修改未保存：\n%2").arg(libraryWord(), QDir::toNativeSeparators(target)),
                          platform::MessageIcon::Stop);
    return false;
}

bool CVes_ModelLibDlg::saveSide(int isSys)
{
    // The user was told on opening that changes to a side whose file could
    // not be read are not saved; OK, which also chooses a shape, says
    // nothing more.
    if (m_pCurLib->isUnreadable(isSys))
        return false;
    if (m_pCurLib->saveLib(QString(), isSys))
        return true;
    platform::showMessage(QStringLiteral("%1保存失败：\n%2").arg(libraryWord(), QDir::toNativeSeparators(sidePath(isSys))),
                          platform::MessageIcon::Stop);
    return false;
}

bool CVes_ModelLibDlg::save()
{
    bool saved = saveSide(0);
    if (m_bManage)
        saved = saveSide(1) && saved;
    return saved;
}

void CVes_ModelLibDlg::accept()
{
    m_pChooseRecord = getSelectShape();
    if (m_bManage) {
        m_ver1 = m_verEdits[0]->text().toInt();
        m_ver2 = m_verEdits[1]->text().toInt();
        m_ver3 = m_verEdits[2]->text().toInt();
        m_pCurLib->setVer(m_ver1, m_ver2, m_ver3);
        saveSide(1);
    }
    saveSide(0);
    EndDialog(IDOK);
}
