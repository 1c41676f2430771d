#include "envora/projectinfo.h"

#include "tests/support/recordinghost.h"

#include "platform/savefile.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class UnsafeName : public ::testing::TestWithParam<const char*> {};

TEST_P(UnsafeName, IsRefusedEverywhere)
{
    const QString name = QString::fromUtf8(GetParam());
    EXPECT_FALSE(envora::isSafeName(name));

    CVes_BuildingInfo building;
    EXPECT_FALSE(building.setName(name));
    EXPECT_TRUE(building.name().isEmpty());
    EXPECT_EQ(building.AddLayerInfo(name), nullptr);
    EXPECT_EQ(building.layerCount(), 0);

    CVes_LayerInfo layer;
    EXPECT_FALSE(layer.setName(name));
    EXPECT_EQ(layer.AddElementType(name), 0);
    ASSERT_EQ(layer.AddElementType(QStringLiteral("梁")), 1);
    EXPECT_EQ(layer.renameEle(QStringLiteral("梁"), name), 0);
    EXPECT_EQ(layer.elementTypes(), QStringList{QStringLiteral("梁")});

    CVes_ProjectInfo project;
    auto b = std::make_unique<CVes_BuildingInfo>();
    EXPECT_EQ(project.addBuilding(std::move(b)), nullptr);  // a building without a name
    EXPECT_EQ(project.buildingCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Envora, UnsafeName,
                         ::testing::Values("../x", "..", ".", "a/b", "/etc", "C:\\x", "a\\b", "",
                                           "  ", "名称\n第二行", "C:"));

TEST(SafeName, ChineseAndSpacedNamesAreFine)
{
    for (const char* name : {"一号楼", "基础层", "A-1 栋", "x..y", "..x", "梁 (KL)"})
        EXPECT_TRUE(envora::isSafeName(QString::fromUtf8(name))) << name;
}

TEST(LayerInfo, ElementTypesAddRemoveRename)
{
    CVes_LayerInfo layer;
    EXPECT_EQ(layer.AddElementType(QStringLiteral("柱")), 1);
    EXPECT_EQ(layer.AddElementType(QStringLiteral("梁")), 1);
    EXPECT_EQ(layer.AddElementType(QStringLiteral("柱")), 0);  // already there
    EXPECT_EQ(layer.AddElementType(QStringLiteral("KL")), 1);
    EXPECT_EQ(layer.AddElementType(QStringLiteral("kl")), 0);  // differs only in case

    EXPECT_EQ(layer.renameEle(QStringLiteral("梁"), QStringLiteral("柱")), 0);
    EXPECT_EQ(layer.renameEle(QStringLiteral("墙"), QStringLiteral("板")), 0);
    EXPECT_EQ(layer.renameEle(QStringLiteral("KL"), QStringLiteral("kl")), 1);
    EXPECT_EQ(layer.renameEle(QStringLiteral("梁"), QStringLiteral("板")), 1);
    EXPECT_EQ(layer.elementTypes(),
              (QStringList{QStringLiteral("柱"), QStringLiteral("板"), QStringLiteral("kl")}));

    EXPECT_EQ(layer.removeEle(QStringLiteral("板")), 1);
    EXPECT_EQ(layer.removeEle(QStringLiteral("板")), 0);
    EXPECT_EQ(layer.elementTypes().size(), 2);
}

TEST(BuildingInfo, StoreysAreOwnedAndHandedOver)
{
    CVes_BuildingInfo building;
    CVes_LayerInfo* first = building.AddLayerInfo(QStringLiteral("基础"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(building.AddLayerInfo(QStringLiteral("基础")), nullptr);
    CVes_LayerInfo* second = building.AddLayerInfo(QStringLiteral("一层"));
    ASSERT_NE(second, nullptr);

    std::unique_ptr<CVes_LayerInfo> taken = building.remove(first);
    EXPECT_EQ(taken.get(), first);
    EXPECT_EQ(building.layerCount(), 1);
    EXPECT_EQ(building.layer(0), second);
    EXPECT_EQ(building.remove(first), nullptr);
    EXPECT_EQ(building.layer(1), nullptr);
}

class ProjectFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

    std::unique_ptr<CVes_BuildingInfo> building(const QString& name, const QString& folder) const
    {
        auto b = std::make_unique<CVes_BuildingInfo>();
        EXPECT_TRUE(b->setName(name));
        b->setFolder(folder);
        return b;
    }
};

TEST_F(ProjectFiles, BuildingRoundTripsWithChineseNames)
{
    CVes_BuildingInfo b;
    ASSERT_TRUE(b.setName(QStringLiteral("阳光花园3号楼")));
    b.setCompany(QStringLiteral("第一建筑工程公司 & \"二分公司\""));
    b.setPreparer(QStringLiteral("张三"));
    b.setChecker(QStringLiteral("李四"));
    b.setFlag(1);
    CVes_LayerInfo* base = b.AddLayerInfo(QStringLiteral("基础"));
    base->AddElementType(QStringLiteral("承台"));
    base->AddElementType(QStringLiteral("地梁"));
    b.AddLayerInfo(QStringLiteral("一层"))->AddElementType(QStringLiteral("柱"));
    b.AddLayerInfo(QStringLiteral("屋面"));
    const QString file = path(QLatin1String(CVes_BuildingInfo::kFileName));
    ASSERT_TRUE(b.writeFile(file));

    CVes_BuildingInfo read;
    ASSERT_TRUE(read.readFile(file));
    EXPECT_EQ(read.name(), b.name());
    EXPECT_EQ(read.company(), b.company());
    EXPECT_EQ(read.preparer(), QStringLiteral("张三"));
    EXPECT_EQ(read.checker(), QStringLiteral("李四"));
    EXPECT_EQ(read.flag(), 1);
    ASSERT_EQ(read.layerCount(), 3);
    EXPECT_EQ(read.layer(0)->name(), QStringLiteral("基础"));
    EXPECT_EQ(read.layer(0)->elementTypes(),
              (QStringList{QStringLiteral("承台"), QStringLiteral("地梁")}));
    EXPECT_EQ(read.layer(1)->elementTypes(), QStringList{QStringLiteral("柱")});
    EXPECT_TRUE(read.layer(2)->elementTypes().isEmpty());

    // The project file names the building; its own file does not rename it.
    CVes_BuildingInfo named;
    ASSERT_TRUE(named.setName(QStringLiteral("新名称")));
    named.setFolder(dir.path());
    ASSERT_TRUE(named.readFile(file));
    EXPECT_EQ(named.name(), QStringLiteral("新名称"));
    EXPECT_EQ(named.folder(), dir.path());
    EXPECT_EQ(named.layerCount(), 3);
}

TEST_F(ProjectFiles, ProjectRoundTripsAndKeepsFoldersRelative)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("二号楼")));
    CVes_ProjectInfo project;
    ASSERT_NE(project.addBuilding(building(QStringLiteral("一号楼"), dir.path())), nullptr);
    ASSERT_NE(project.addBuilding(building(QStringLiteral("二号楼"), path(QStringLiteral("二号楼")))),
              nullptr);
    EXPECT_EQ(project.addBuilding(building(QStringLiteral("一号楼"), dir.path())), nullptr);
    const QString file = path(QLatin1String(CVes_ProjectInfo::kFileName));
    ASSERT_TRUE(project.writeFile(file));

    QByteArray text;
    ASSERT_TRUE(platform::readFile(file, &text));
    EXPECT_TRUE(text.contains("FOLDER=\".\"")) << text.constData();
    EXPECT_TRUE(text.contains(QStringLiteral("FOLDER=\"二号楼\"").toUtf8())) << text.constData();

    // The whole project moves to another folder and still reads.
    QTemporaryDir moved;
    const QString movedFile = moved.filePath(QLatin1String(CVes_ProjectInfo::kFileName));
    ASSERT_TRUE(platform::saveFile(movedFile, text));
    CVes_ProjectInfo read;
    ASSERT_TRUE(read.readFile(movedFile));
    EXPECT_EQ(read.folder(), QDir(moved.path()).absolutePath());
    ASSERT_EQ(read.buildingCount(), 2);
    EXPECT_EQ(read.building(0)->name(), QStringLiteral("一号楼"));
    EXPECT_EQ(read.building(0)->folder(), QDir(moved.path()).absolutePath());
    EXPECT_EQ(read.building(1)->folder(), QDir(moved.path()).absoluteFilePath(QStringLiteral("二号楼")));

    read.removeAll();
    EXPECT_EQ(read.buildingCount(), 0);
}

TEST_F(ProjectFiles, EntriesThatLeadOutOfTheProjectAreLeftOut)
{
    test::HostScope host;
    const QString file = path(QLatin1String(CVes_ProjectInfo::kFileName));
    ASSERT_TRUE(platform::saveFile(
        file, QStringLiteral("<PROJECTINFO version=\"1\">"
                             "<BUILDING NAME=\"一号楼\" FOLDER=\".\"/>"
                             "<BUILDING NAME=\"../x\" FOLDER=\"x\"/>"
                             "<BUILDING NAME=\"外部\" FOLDER=\"../外部\"/>"
                             "<BUILDING NAME=\"绝对\" FOLDER=\"/tmp\"/>"
                             "<BUILDING NAME=\"二号楼\" FOLDER=\"楼/二号\"/>"
                             "</PROJECTINFO>")
                  .toUtf8()));
    CVes_ProjectInfo project;
    ASSERT_TRUE(project.readFile(file));
    ASSERT_EQ(project.buildingCount(), 2);
    EXPECT_EQ(project.building(0)->name(), QStringLiteral("一号楼"));
    EXPECT_EQ(project.building(1)->name(), QStringLiteral("二号楼"));
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_TRUE(host->messageTexts().front().contains(QStringLiteral("外部")));

    const QString bfile = path(QLatin1String(CVes_BuildingInfo::kFileName));
    ASSERT_TRUE(platform::saveFile(
        bfile, QStringLiteral("<BUILDINGINFO NAME=\"../楼\" FLAG=\"1\">"
                              "<LAYER NAME=\"一层\"><ELEMENT NAME=\"柱\"/><ELEMENT NAME=\"../../etc\"/></LAYER>"
                              "<LAYER NAME=\"a/b\"><ELEMENT NAME=\"梁\"/></LAYER>"
                              "</BUILDINGINFO>")
                   .toUtf8()));
    CVes_BuildingInfo b;
    ASSERT_TRUE(b.readFile(bfile));
    EXPECT_TRUE(b.name().isEmpty());
    ASSERT_EQ(b.layerCount(), 1);
    EXPECT_EQ(b.layer(0)->elementTypes(), QStringList{QStringLiteral("柱")});
    EXPECT_EQ(host->messages().size(), 2u);
}

TEST_F(ProjectFiles, MissingOrDamagedFilesChangeNothing)
{
    test::HostScope host;
    CVes_ProjectInfo project;
    project.setFolder(QStringLiteral("/keep"));
    ASSERT_NE(project.addBuilding(building(QStringLiteral("一号楼"), dir.path())), nullptr);
    EXPECT_FALSE(project.readFile(path(QStringLiteral("none.xml"))));
    EXPECT_TRUE(host->messages().empty());  // no project file: a plain folder

    const QString cut = path(QStringLiteral("cut.xml"));
    ASSERT_TRUE(platform::saveFile(cut, "<PROJECTINFO><BUILDING NAME=\"a\" FOLDER=\".\"/>"));
    EXPECT_FALSE(project.readFile(cut));
    EXPECT_EQ(project.buildingCount(), 1);
    EXPECT_EQ(project.folder(), QStringLiteral("/keep"));
    EXPECT_EQ(host->messages().size(), 1u);

    CVes_BuildingInfo b;
    b.AddLayerInfo(QStringLiteral("一层"));
    ASSERT_TRUE(platform::saveFile(cut, "<BUILDINGINFO><LAYER NAME=\"二层\">"));
    EXPECT_FALSE(b.readFile(cut));
    ASSERT_EQ(b.layerCount(), 1);
    EXPECT_EQ(b.layer(0)->name(), QStringLiteral("一层"));
    EXPECT_FALSE(b.readFile(path(QStringLiteral("none.xml"))));
}

} // namespace
