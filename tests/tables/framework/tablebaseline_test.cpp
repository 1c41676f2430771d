#include "tables/framework/tablebaseline.h"

#include "platform/archive.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

TEST(TableBaseLine, NewRowTakesOnePrintedRowShownUnlockedNotEmptyBlack)
{
    CVes_TableBaseLine row;
    EXPECT_EQ(row.getRows(), 1);
    EXPECT_EQ(row.getShow(), 1);
    EXPECT_EQ(row.getLock(), 0);
    EXPECT_EQ(row.isNull(), 0);
    EXPECT_EQ(row.getTextColor(), 0u);
    EXPECT_EQ(row.isSteelLine(), 0);
    EXPECT_EQ(row.getSteel(), nullptr);
}

TEST(TableBaseLine, BaseComparisonsGiveNoOrder)
{
    CVes_TableBaseLine a, b;
    b.setType(4);
    b.setRows(3);
    CVes_TableBaseLine* other = &b;
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a.lessthan(other));
    EXPECT_TRUE(b.lessthan(other));
    EXPECT_FALSE(a.isGreat(b));
}

TEST(TableBaseLine, SerializeWritesAndReadsNothing)
{
    CVes_TableBaseLine row;
    platform::Archive out;
    row.Serialize(out);
    EXPECT_TRUE(out.data().isEmpty());
    platform::Archive in(QByteArray("\x07\x00\x00\x00", 4));
    row.Serialize(in);
    EXPECT_EQ(in.position(), 0);
}

TEST(TableBaseLine, SettersAndCopiesCarryEveryField)
{
    CVes_TableBaseLine row;
    row.setType(4);
    row.setNull(1);
    row.setShow(0);
    row.setTextColor(platform::RGB(255, 0, 0));
    row.setLock(1);
    row.setRows(3);

    const CVes_TableBaseLine copy(row);
    CVes_TableBaseLine assigned;
    assigned = row;
    for (const CVes_TableBaseLine* r : std::initializer_list<const CVes_TableBaseLine*>{&row, &copy, &assigned}) {
        EXPECT_EQ(r->getType(), 4u);
        EXPECT_EQ(r->m_null, 1);
        EXPECT_EQ(r->getShow(), 0);
        EXPECT_EQ(r->getTextColor(), 0x0000FFu);
        EXPECT_EQ(r->getLock(), 1);
        EXPECT_EQ(r->getRows(), 3);
    }
}

// A sheet's row that counts its destructions, to see deletion through the base.
class CountedRow : public CVes_TableBaseLine {
public:
    explicit CountedRow(int* deleted) : m_deleted(deleted) {}
    ~CountedRow() override { ++*m_deleted; }
    int getRows() const override { return 2; }

private:
    int* m_deleted;
};

TEST(TableBaseLine, DerivedRowsAreDeletedAndPagedThroughTheBase)
{
    int deleted = 0;
    {
        std::vector<std::unique_ptr<CVes_TableBaseLine>> rows;
        rows.push_back(std::make_unique<CountedRow>(&deleted));
        rows.push_back(std::make_unique<CountedRow>(&deleted));
        EXPECT_EQ(rows[0]->getRows(), 2);
    }
    EXPECT_EQ(deleted, 2);
}

} // namespace
