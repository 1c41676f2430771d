#include "core/geometry/drawobject.h"
#include "core/geometry/point.h"

#include "platform/archive.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

namespace {

CVes_Point point(int x, int y, int third)
{
    CVes_Point p;
    p.set(x, y);
    p.m_third = third;
    return p;
}

TEST(CVes_Point, PlusChangesTheLeftOperand)
{
    CVes_Point p = point(1, 2, 7);
    CVes_Point& r = p + QPoint(10, 20);
    EXPECT_EQ(&r, &p);
    EXPECT_EQ(p.ToPoint(), QPoint(11, 22));
    EXPECT_EQ(p.m_third, 7);
}

TEST(CVes_Point, TheThirdValueTakesPartInEquality)
{
    EXPECT_EQ(point(1, 2, 3), point(1, 2, 3));
    EXPECT_NE(point(1, 2, 3), point(1, 2, 4));
    CVes_Point p = point(5, 6, 9);
    p.fromPoint(QPoint(0, 0));
    EXPECT_EQ(p, point(0, 0, 9));
}

TEST(CVes_Point, StreamLayout)
{
    platform::Archive out;
    CVes_Point p = point(-2, 300, 5);
    p.Serialize(out);
    EXPECT_EQ(test::toHex(out.data()),
              test::toHex(test::hex("01 00 00 00  FE FF FF FF  2C 01 00 00  05 00 00 00")));
    platform::Archive in(out.data());
    CVes_Point q;
    q.Serialize(in);
    EXPECT_EQ(q, p);
    EXPECT_TRUE(in.atEnd());
}

TEST(CVes_Point, AnotherSchemaReadsNothingMore)
{
    platform::Archive in(test::hex("02 00 00 00  0A 00 00 00"));
    CVes_Point p = point(1, 2, 3);
    p.Serialize(in);
    EXPECT_EQ(p, point(1, 2, 3));
    EXPECT_EQ(in.position(), 4);
}

TEST(CVes_DrawObject, BaseDefaultsAndSetters)
{
    CVes_DrawObject item;
    EXPECT_EQ(item.m_print, 1);
    EXPECT_EQ(item.getGroupIndex(), 1u);
    item.setVarPrint(0);
    EXPECT_EQ(item.m_print, 0);
    item.setGroupIndex(4);
    item.setColor(0x123456);
    item.setStatus(CVes_DrawObject::kHidden);
    EXPECT_EQ(item.getGroupIndex(), 4u);
    EXPECT_EQ(item.m_color, 0x123456u);
    EXPECT_EQ(item.m_status, 4u);
    // The base item has no rectangle, so it meets nothing.
    EXPECT_FALSE(item.Intersects(platform::Rect(-100, -100, 100, 100)));
}

} // namespace
