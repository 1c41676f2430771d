#include "shapeui/bendkitexports.h"

#include "shapeui/modellibdlg.h"
#include "shapeui/shapelistctrl.h"
#include "tests/shapeui/modellibdlg_testing.h"
#include "tests/support/recordinghost.h"

#include <gtest/gtest.h>

namespace {

using D = CVes_ModelLibDlg;

struct LibCase {
    int (*entry)(CVes_ModelRecord*);
    int libType;
};

class LibraryChoosers : public ::testing::TestWithParam<LibCase> {
protected:
    test::HostScope host;
};

TEST_P(LibraryChoosers, CopyTheChosenShapeOnlyOnOkWithAChoice)
{
    const LibCase& c = GetParam();
    QString chosen;
    test::onNextModal<D>([&](D* dlg) {
        EXPECT_EQ(dlg->libType(), c.libType);
        EXPECT_EQ(dlg->isManage(), 0);
        dlg->selectShape(2);
        chosen = dlg->getSelectShape()->getID().ToString();
        dlg->accept();
    });
    CVes_ModelRecord record;
    EXPECT_EQ(c.entry(&record), 1);
    EXPECT_EQ(record.getID().ToString(), chosen);

    // OK without a choice: 1, the record as it was.
    test::onNextModal<D>([](D* dlg) {
        dlg->selectShape(-1);
        dlg->accept();
    });
    CVes_ModelRecord untouched;
    EXPECT_EQ(c.entry(&untouched), 1);
    EXPECT_TRUE(untouched.getID().isNull());

    test::onNextModal<D>([](D* dlg) {
        dlg->selectShape(0);
        dlg->reject();
    });
    EXPECT_EQ(c.entry(&untouched), 2);
    EXPECT_TRUE(untouched.getID().isNull());
}

INSTANTIATE_TEST_SUITE_P(Entries, LibraryChoosers,
                         ::testing::Values(LibCase{&getSteelModel, D::kModelLib}, LibCase{&getSteelStart, D::kStartLib}),
                         [](const auto& info) { return std::string(info.param.libType ? "Start" : "Model"); });

TEST(LibraryManagers, OpenTheirLibraryWithTheGivenManageFlag)
{
    test::HostScope host;
    int seen = 0;
    test::onNextModal<D>([&](D* dlg) {
        EXPECT_EQ(dlg->libType(), D::kModelLib);
        EXPECT_EQ(dlg->isManage(), 1);
        ++seen;
        dlg->reject();
    });
    manageLib(1);
    test::onNextModal<D>([&](D* dlg) {
        EXPECT_EQ(dlg->libType(), D::kStartLib);
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("示意图库"));
        EXPECT_EQ(dlg->isManage(), 0);
        ++seen;
        dlg->reject();
    });
    manageStartLib(0);
    EXPECT_EQ(seen, 2);
}

} // namespace
