#include "tables/barlist/ui/hoopdiagrams.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <vector>

namespace {

constexpr int kWidth = 280;
constexpr int kHeight = 300;
// The column in the picture: its left and right edge, the floor and the
// beam's underside.
constexpr int kLeft = 70;
constexpr int kRight = 110;
constexpr int kFloor = 262;
constexpr int kBeamBottom = 52;
constexpr int kBeamTop = 18;

const QColor kConcrete(150, 150, 150);
const QColor kBar(200, 30, 30);
const QColor kZone(255, 236, 150);
const QColor kDimension(20, 60, 170);

// A stretch of the column, from `top` to `bottom` (pixels), with its
// stirrups `step` pixels apart and a label on the right.
struct Zone {
    int top;
    int bottom;
    int step;
    bool densified;
    QString label;
};

QFont labelFont()
{
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(10);
    return font;
}

void drawDimension(QPainter& p, int x, int top, int bottom, const QString& label)
{
    p.setPen(QPen(kDimension, 1));
    p.drawLine(x, top, x, bottom);
    p.drawLine(x - 4, top, x + 4, top);
    p.drawLine(x - 4, bottom, x + 4, bottom);
    // On a white ground, so that it reads over hatching too.
    const QRect room(x + 6, top, kWidth - x - 8, bottom - top);
    const QRect used = p.boundingRect(room, Qt::AlignVCenter | Qt::AlignLeft, label);
    p.fillRect(used.adjusted(-1, 0, 1, 0), Qt::white);
    p.drawText(room, Qt::AlignVCenter | Qt::AlignLeft, label);
}

void drawZones(QPainter& p, const std::vector<Zone>& zones, int left, int right)
{
    for (const Zone& zone : zones) {
        if (zone.densified)
            p.fillRect(QRect(left - 6, zone.top, right - left + 12, zone.bottom - zone.top), kZone);
        p.setPen(QPen(kBar, 1.5));
        for (int y = zone.bottom; y >= zone.top; y -= zone.step)
            p.drawLine(left - 3, y, right + 3, y);
        drawDimension(p, right + 22, zone.top, zone.bottom, zone.label);
    }
}

void drawColumn(QPainter& p, int left, int right, int top, int bottom)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(left, top, right - left, bottom - top));
    // The longitudinal bars.
    p.setPen(QPen(kBar, 2));
    p.drawLine(left + 5, top - 8, left + 5, bottom + 8);
    p.drawLine(right - 5, top - 8, right - 5, bottom + 8);
}

void drawSlabAndBeam(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QBrush(kConcrete, Qt::BDiagPattern));
    p.drawRect(QRect(10, kBeamTop, kWidth - 20, kBeamBottom - kBeamTop));
    p.drawRect(QRect(10, kFloor, kWidth - 20, 18));
    p.setBrush(Qt::NoBrush);
}

// A column storey: the upper zone runs through the beam, the lower zone is
// Hn/6 (4021) or Hn/3 (4022, with the rigid ground floor's 500 above and
// below the ground).
void drawColumnStorey(QPainter& p, bool third)
{
    drawSlabAndBeam(p);
    drawColumn(p, kLeft, kRight, kBeamBottom, kFloor);
    const int clear = kFloor - kBeamBottom;
    const int lower = third ? clear / 3 : clear / 6;
    const std::vector<Zone> zones{
        {kBeamTop, kBeamBottom + clear / 6, 6, true, QStringLiteral("Hj+max(Hn/6,Hc,500)")},
        {kBeamBottom + clear / 6, kFloor - lower, 16, false, QStringLiteral("非加密区 s2")},
        {kFloor - lower, kFloor, 6, true,
         third ? QStringLiteral("max(Hn/3,Hc,500)") : QStringLiteral("max(Hn/6,Hc,500)")},
    };
    drawZones(p, zones, kLeft, kRight);
    drawDimension(p, 28, kBeamBottom, kFloor, QStringLiteral("Hn"));
    if (third) {
        p.setPen(QPen(kDimension, 1, Qt::DashLine));
        p.drawLine(10, kFloor + 9, kWidth - 10, kFloor + 9);
        p.drawText(QRect(10, kFloor + 20, kWidth - 20, 16), Qt::AlignCenter,
                   QStringLiteral("刚性地面上下各加密500"));
    }
}

// A concealed column of a wall over one storey: the lap zones of its
// longitudinal bars at spacing t, the rest at s.
void drawWallColumn(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QBrush(kConcrete, Qt::Dense7Pattern));
    p.drawRect(QRect(10, kBeamTop, kWidth - 20, kFloor - kBeamTop));
    p.setBrush(Qt::white);
    p.drawRect(QRect(kLeft, kBeamTop, kRight - kLeft, kFloor - kBeamTop));
    p.setBrush(Qt::NoBrush);
    // The bars of the storey below end in the lap zone; the new ones start
    // at the floor.
    const int lapTop = kFloor - 90;
    p.setPen(QPen(kBar, 2));
    p.drawLine(kLeft + 5, kBeamTop, kLeft + 5, lapTop);
    p.drawLine(kRight - 5, kBeamTop, kRight - 5, lapTop);
    p.drawLine(kLeft + 9, lapTop - 4, kLeft + 9, kFloor);
    p.drawLine(kRight - 9, lapTop - 4, kRight - 9, kFloor);
    const std::vector<Zone> zones{
        {kBeamTop, lapTop, 16, false, QStringLiteral("非搭接区 s")},
        {lapTop, kFloor, 6, true, QStringLiteral("搭接区 t")},
    };
    drawZones(p, zones, kLeft, kRight);
    drawDimension(p, 28, kBeamTop, kFloor, QStringLiteral("H"));
    p.setPen(QPen(kDimension, 1));
    p.drawText(QRect(10, kFloor + 4, kWidth - 20, 16), Qt::AlignCenter,
               QStringLiteral("搭接长度 = la·d·修正系数"));
}

} // namespace

QImage hoopDiagram(int picture)
{
    if (picture != kColumnHoopPictureHn6 && picture != kColumnHoopPictureHn3
        && picture != kWallColumnHoopPicture)
        return {};
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(labelFont());
    if (picture == kWallColumnHoopPicture)
        drawWallColumn(p);
    else
        drawColumnStorey(p, picture == kColumnHoopPictureHn3);
    return image;
}
