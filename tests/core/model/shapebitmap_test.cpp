#include "core/model/modelrecord.h"
#include "core/model/shapebitmap.h"
#include "platform/recordingdc.h"
#include "platform/savefile.h"
#include "tests/support/fixtures.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

quint32 dword(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 word(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

TEST(SaveBitmapToFile, Writes24BitBmpWithTheWindowsHeaders)
{
    QImage image(100, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 49, qRgb(0x10, 0x20, 0x30)); // bottom-left: the first pixel stored
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shape.bmp"));
    ASSERT_EQ(SaveBitmapToFile(platform::Bitmap(image), path), 1);

    QByteArray b;
    ASSERT_TRUE(platform::readFile(path, &b));
    ASSERT_EQ(b.size(), 15054);
    EXPECT_EQ(word(b, 0), 0x4D42);
    EXPECT_EQ(dword(b, 2), 15054u);
    EXPECT_EQ(dword(b, 6), 0u);
    EXPECT_EQ(dword(b, 10), 54u);
    EXPECT_EQ(dword(b, 14), 40u);
    EXPECT_EQ(dword(b, 18), 100u);
    EXPECT_EQ(dword(b, 22), 50u);
    EXPECT_EQ(word(b, 26), 1);
    EXPECT_EQ(word(b, 28), 24);
    for (int at = 30; at < 54; at += 4)
        EXPECT_EQ(dword(b, at), 0u) << at;
    EXPECT_EQ(test::toHex(b.mid(54, 4)), QStringLiteral("30 20 10 FF"));
}

TEST(SaveBitmapToFile, NullBitmapOrBadPathGivesZero)
{
    QTemporaryDir dir;
    EXPECT_EQ(SaveBitmapToFile(platform::Bitmap(), dir.filePath(QStringLiteral("x.bmp"))), 0);
    EXPECT_EQ(SaveBitmapToFile(platform::Bitmap(QImage(4, 4, QImage::Format_RGB32)),
                               dir.filePath(QStringLiteral("no/such/x.bmp"))),
              0);
}

TEST(ModelRecordToBitmap, DrawsTheBarInRedOnWhite)
{
    CVes_ModelRecord record;
    record.AddLSide(100, 150, 1400, 150, 1, 0, 0x0000FF);
    platform::Bitmap bitmap;
    ModelRecordToBitmap(bitmap, &record, 120, 40, nullptr, 0);
    ASSERT_FALSE(bitmap.isNull());
    ASSERT_EQ(bitmap.size(), QSize(120, 40));
    const QImage image = bitmap.image()->convertToFormat(QImage::Format_RGB32);
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            red += image.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_GT(red, 20);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));

    platform::Bitmap untouched;
    ModelRecordToBitmap(untouched, nullptr, 10, 10, nullptr, 0);
    EXPECT_TRUE(untouched.isNull());
}

TEST(GetSysLibVer, DefaultVersionOfAnEmptyLibrary)
{
    int a = 0, b = 0, c = 0;
    getSysLibVer(a, b, c);
    EXPECT_GT(a, 0);
}

} // namespace
