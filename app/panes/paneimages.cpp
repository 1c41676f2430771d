#include "app/panes/paneimages.h"

#include "widgara/resources.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// A grade mark: a letter on a coloured disc.
void paintGradeMark(QPainter& p, int x, const QColor& colour, const QString& letter)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(x + 0.5, 0.5, 11, 11));
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(x, 0, 12, 12), Qt::AlignCenter, letter);
}

QImage gradeStrip()
{
    QImage strip(6 * 12, 12, QImage::Format_RGB32);
    strip.fill(QColor(192, 192, 192));
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    const struct {
        QColor colour;
        const char* letter;
    } marks[] = {{QColor(40, 110, 200), "1"}, {QColor(40, 150, 70), "2"},
                 {QColor(200, 60, 40), "3"},  {QColor(140, 60, 170), "4"},
                 {QColor(90, 90, 90), "R"},   {QColor(170, 120, 20), "T"}};
    for (int i = 0; i < 6; ++i)
        paintGradeMark(p, 12 * i, marks[i].colour, QString::fromLatin1(marks[i].letter));
    return strip;
}

// The element tree: 3 the bar list, 7 an element, 8 the element selected,
// 11 the total; the others are plain pages.
QImage treeStrip()
{
    constexpr int kImages = 12;
    QImage strip(kImages * 16, 16, QImage::Format_RGB32);
    strip.fill(QColor(0, 255, 0));
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < kImages; ++i) {
        const int x = 16 * i;
        switch (i) {
        case 3: // a sheet with rows
            p.setPen(QColor(60, 80, 120));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(x + 2.5, 1.5, 11, 13));
            p.setPen(QColor(70, 116, 184));
            for (int y = 5; y <= 11; y += 3)
                p.drawLine(QPointF(x + 4.5, y + 0.5), QPointF(x + 11.5, y + 0.5));
            break;
        case 7:
        case 8: { // a beam section with two bars
            p.setPen(QColor(90, 90, 90));
            p.setBrush(i == 8 ? QColor(255, 220, 90) : QColor(210, 210, 210));
            p.drawRect(QRectF(x + 1.5, 4.5, 13, 7));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(190, 40, 30));
            p.drawEllipse(QRectF(x + 3.5, 8, 3, 3));
            p.drawEllipse(QRectF(x + 9.5, 8, 3, 3));
            break;
        }
        case 11: { // a sum
            p.setPen(QPen(QColor(40, 90, 170), 1.6));
            QPainterPath sigma;
            sigma.moveTo(x + 12, 3);
            sigma.lineTo(x + 4, 3);
            sigma.lineTo(x + 9, 8);
            sigma.lineTo(x + 4, 13);
            sigma.lineTo(x + 12, 13);
            p.setBrush(Qt::NoBrush);
            p.drawPath(sigma);
            break;
        }
        default:
            p.setPen(QColor(130, 130, 130));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(x + 3.5, 2.5, 9, 11));
            break;
        }
    }
    return strip;
}

} // namespace

void registerPaneImages()
{
    widgara::Resources& r = widgara::resources();
    if (r.bitmap(IDB_GRADE_IMAGES).isNull())
        r.setBitmap(IDB_GRADE_IMAGES, gradeStrip());
    if (r.bitmap(IDB_ELEMENT_TREE).isNull())
        r.setBitmap(IDB_ELEMENT_TREE, treeStrip());
}
