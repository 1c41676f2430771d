#pragma once
// The documents under test: the running application (main window and
// templates) with a scripted file dialog, sheet files made in a temporary
// folder, and shorthands to reach the documents, their windows and tabs.

#include "app/documents/processdoc.h"
#include "app/documents/setupdoc.h"
#include "app/documents/sheetcontainerview.h"
#include "app/documents/sldoc.h"
#include "app/shell/mainframe.h"
#include "platform/profile.h"
#include "platform/savefile.h"
#include "platform/ui/docmanager.h"
#include "platform/ui/doctemplate.h"
#include "tables/barlist/setuptable.h"
#include "tables/processing/processtable.h"
#include "tables/quantity/sltable.h"
#include "tests/app/support/appfixture.h"
#include "tests/tables/barlist/barlist_pages.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <deque>

namespace test {

// The clock of the documents' tests, and a value of the program's settings.
inline const QDateTime kNow(QDate(2026, 3, 18), QTime(10, 30, 5));

inline void setSetting(const char* key, int value)
{
    platform::setProfileValue(QStringLiteral("settings"), QString::fromUtf8(key), value);
}

// A question of the file dialog: open or save, title, filter, proposal.
struct FileQuestion {
    bool open;
    QString title;
    QString filter;
    QString proposed;
};

class DocumentsFixture : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(app->InitInstance({}));
        app->docManager().setFileDialog(
            [this](bool open, const QString& title, const QString& filter, const QString& proposed) {
                asked.push_back({open, title, filter, proposed});
                if (fileAnswers.empty())
                    return QString();
                const QString answer = fileAnswers.front();
                fileAnswers.pop_front();
                return answer;
            });
    }
    void TearDown() override
    {
        app->docManager().CloseAllDocuments();
        AppFixture::TearDown();
    }

    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    static QByteArray bytesOf(const QString& file)
    {
        QByteArray bytes;
        platform::readFile(file, &bytes);
        return bytes;
    }

    // The office block's thirty bars in three elements, saved; a processing
    // or quantity sheet made of them. `change` changes the list first.
    QString saveBarList(const char* name, const std::function<void(CVes_SetupTable&)>& change = {})
    {
        CVes_SetupTable list;
        fillDemoList(list);
        if (change)
            change(list);
        const QString file = path(name);
        EXPECT_EQ(list.SaveFile(file), 1);
        return file;
    }
    QString saveProcessSheet(const char* name, const std::function<void(CVes_SetupTable&)>& change = {})
    {
        CVes_SetupTable list;
        fillDemoList(list);
        if (change)
            change(list);
        CVes_ProcessTable sheet;
        const TableLineList rows = list.transformProcessList(0, 1, 1);
        for (CVes_TableBaseLine* row : rows)
            sheet.appendLine(row);
        const QString file = path(name);
        EXPECT_EQ(sheet.SaveFile(file), 1);
        return file;
    }
    QString saveQuantitySheet(const char* name, const std::function<void(CVes_SetupTable&)>& change = {})
    {
        CVes_SetupTable list;
        fillDemoList(list);
        if (change)
            change(list);
        CVes_SLTable sheet;
        const QList<CVes_SLTableLine*> rows = list.transformSL(0);
        for (CVes_SLTableLine* row : rows)
            sheet.appendLine(row);
        const QString file = path(name);
        EXPECT_EQ(sheet.SaveFile(file), 1);
        return file;
    }

    template <typename Doc>
    Doc* open(const QString& file)
    {
        return dynamic_cast<Doc*>(app->docManager().OpenDocumentFile(file));
    }
    CRODOSetUpDoc* newBarList() { return dynamic_cast<CRODOSetUpDoc*>(app->OnFileNew()); }

    static SheetContainerView* containerOf(platform::Document* doc)
    {
        return doc && !doc->views().empty() ? dynamic_cast<SheetContainerView*>(doc->views().front())
                                            : nullptr;
    }
    // Selects rows 2 and 3 of page 1 of the bar list (two bars).
    static void selectTwoBars(CVes_TableBase& table)
    {
        table.setPageTo(1, 1);
        table.clearSelect();
        table.AddSelect(2, 0);
        table.AddSelect(3, 0);
    }
    static void runCommand(platform::Document* doc, int id) { doc->OnCmdMsg(id, nullptr); }

    QTemporaryDir dir;
    std::deque<QString> fileAnswers;
    std::vector<FileQuestion> asked;
};

} // namespace test
