#pragma once
// A project on disk for the project tests: two buildings with Chinese names,
// their storeys and element types, and bar lists, processing and quantity
// sheets in the folders; a document manager with the three sheet templates;
// and helpers that read the tree and the disk back as text.
//
//   综合楼工程/                      projectinfo.xml
//     一号楼/                        buildinginfo.xml, 总说明.pld
//       基础层/基础/JC1.pld
//       第1层/一层汇总.ylb
//       第1层/柱/KZ1.pld, KZ2.pld, 柱加工.jgd
//       第1层/梁/KL1.pld
//     二号楼/                        buildinginfo.xml
//       第1层/板/LB1.pld

#include "app/projects/projecttreectrl.h"
#include "app/shell/filetemplates.h"
#include "envora/projectinfo.h"
#include "platform/ui/docmanager.h"
#include "platform/ui/doctemplate.h"
#include "platform/ui/document.h"
#include "tables/barlist/setuptable.h"
#include "tables/processing/processtable.h"
#include "tables/quantity/sltable.h"
#include "tests/support/recordinghost.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace test {

// Saves a picture of the window into $RODO_SCREENSHOT_DIR, when it is set.
inline void saveShot(QWidget& window, const char* name)
{
    const QString shots = qEnvironmentVariable("RODO_SCREENSHOT_DIR");
    if (shots.isEmpty())
        return;
    window.show();
    window.grab().save(QDir(shots).filePath(QString::fromUtf8(name) + QStringLiteral(".png")));
}

class ProjectFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = QDir(dir.path()).filePath(QStringLiteral("综合楼工程"));
        ASSERT_TRUE(QDir().mkpath(root));
        docs.AddDocTemplate(createSetUpTemplate());
        docs.AddDocTemplate(createProcessTemplate());
        docs.AddDocTemplate(createSLTemplate());
    }
    void TearDown() override
    {
        docs.CloseAllDocuments();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString at(const QString& relative) const { return QDir(root).filePath(relative); }
    QString at(const char* relative) const { return at(QString::fromUtf8(relative)); }

    // A sheet file of the kind its extension names, empty.
    void sheet(const char* relative)
    {
        const QString path = at(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (path.endsWith(QStringLiteral(".pld")))
            ASSERT_EQ(CVes_SetupTable().SaveFile(path), 1);
        else if (path.endsWith(QStringLiteral(".jgd")))
            ASSERT_EQ(CVes_ProcessTable().SaveFile(path), 1);
        else
            ASSERT_EQ(CVes_SLTable().SaveFile(path), 1);
    }

    void building(CVes_ProjectInfo& project, const char* name,
                  std::initializer_list<std::pair<const char*, std::vector<const char*>>> storeys)
    {
        auto b = std::make_unique<CVes_BuildingInfo>();
        b->setName(QString::fromUtf8(name));
        b->setFolder(at(name));
        b->setPreparer(QStringLiteral("张三"));
        b->setChecker(QStringLiteral("李四"));
        b->setFlag(1);
        for (const auto& [storey, types] : storeys) {
            CVes_LayerInfo* layer = b->AddLayerInfo(QString::fromUtf8(storey));
            QDir().mkpath(at(name) + u'/' + QString::fromUtf8(storey));
            for (const char* type : types) {
                layer->AddElementType(QString::fromUtf8(type));
                QDir().mkpath(at(name) + u'/' + QString::fromUtf8(storey) + u'/' + QString::fromUtf8(type));
            }
        }
        ASSERT_TRUE(b->writeFile(at(name) + QStringLiteral("/buildinginfo.xml")));
        project.addBuilding(std::move(b));
    }

    // The project of the picture above.
    void makeProject()
    {
        CVes_ProjectInfo project;
        project.setFolder(root);
        building(project, "一号楼", {{"基础层", {"基础"}}, {"第1层", {"柱", "梁"}}});
        building(project, "二号楼", {{"第1层", {"板"}}});
        ASSERT_TRUE(project.writeFile(at("projectinfo.xml")));
        for (const char* file : {"一号楼/总说明.pld", "一号楼/基础层/基础/JC1.pld", "一号楼/第1层/一层汇总.ylb",
                                 "一号楼/第1层/柱/KZ1.pld", "一号楼/第1层/柱/KZ2.pld", "一号楼/第1层/柱/柱加工.jgd",
                                 "一号楼/第1层/梁/KL1.pld", "二号楼/第1层/板/LB1.pld"})
            sheet(file);
    }

    void load()
    {
        tree.setDocManager(&docs);
        tree.SetProjectFolder(root);
    }

    // The item reached from the root through the texts given.
    QTreeWidgetItem* item(const std::vector<const char*>& texts) const
    {
        QTreeWidgetItem* at = tree.rootItem();
        for (const char* text : texts) {
            QTreeWidgetItem* next = nullptr;
            for (int i = 0; at && i < at->childCount() && !next; ++i)
                if (at->child(i)->text(0) == QString::fromUtf8(text))
                    next = at->child(i);
            at = next;
        }
        return at;
    }
    QTreeWidgetItem* select(const std::vector<const char*>& texts)
    {
        QTreeWidgetItem* found = item(texts);
        EXPECT_TRUE(found) << "no such item";
        tree.setCurrentTreeItem(found);
        return found;
    }

    // The tree as indented lines of text.
    QStringList shown() const
    {
        QStringList lines;
        const std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* i, int depth) {
            lines << QString(depth * 2, u' ') + i->text(0);
            for (int c = 0; c < i->childCount(); ++c)
                walk(i->child(c), depth + 1);
        };
        if (tree.rootItem())
            walk(tree.rootItem(), 0);
        return lines;
    }
    // Every file and folder below the project folder, relative, sorted.
    QStringList onDisk(const char* relative = "") const
    {
        QStringList found;
        const QDir base(at(relative));
        for (QDirIterator it(base.path(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
             it.hasNext();)
            found << base.relativeFilePath(it.next());
        found.sort();
        return found;
    }
    QString text(const char* relative) const
    {
        QFile file(at(relative));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<missing>");
    }
    // The storeys and element types a building's file holds: "storey: a, b".
    QStringList storeysOnDisk(const char* building) const
    {
        CVes_BuildingInfo info;
        info.setName(QString::fromUtf8(building));
        EXPECT_TRUE(info.readFile(at(building) + QStringLiteral("/buildinginfo.xml")));
        QStringList lines;
        for (int i = 0; i < info.layerCount(); ++i)
            lines << info.layer(i)->name() + QStringLiteral(": ") + info.layer(i)->elementTypes().join(u',');
        return lines;
    }

    QTemporaryDir dir;
    QString root;
    test::HostScope host;
    platform::DocManager docs;
    CProjectTreeCtrl tree;
};

} // namespace test
