#pragma once
// The drawing of one parametric bar shape: the bar's sides from its first end
// to its last (connection marks between the sides they join), auxiliary
// lines, arcs and circles, fixed texts and the dimension variables, on a
// drawing area of fixed logical size. The shape editor builds it item by
// item; every table draws bars through it.

#include "core/geometry/curve.h"
#include "core/geometry/side.h"
#include "core/geometry/text.h"

#include <QString>

#include <memory>
#include <vector>

namespace platform { class Archive; class Dc; }

// Borrowed pointers to every item of a shape, valid until the shape changes.
using CVes_DrawObjList = std::vector<CVes_DrawObject*>;

class CVes_ShapeModel {
public:
    // Mirror flags.
    static constexpr unsigned int kMirrorLeftRight = 1;
    static constexpr unsigned int kMirrorTopBottom = 2;

    CVes_ShapeModel() = default;
    // Deep copies, as `set` makes them.
    CVes_ShapeModel(const CVes_ShapeModel& other);
    CVes_ShapeModel& operator=(const CVes_ShapeModel& other);
    virtual ~CVes_ShapeModel();

    virtual void Mirror(unsigned int flags) { m_mirror = flags; }
    void MirrorHor() { Mirror(m_mirror ^ kMirrorLeftRight); }
    void MirrorVer() { Mirror(m_mirror ^ kMirrorTopBottom); }

    // Draws sides in `sideColour`, lines, arcs and circles in `auxColour`,
    // variables and texts in `textColour`, offset by (x, y) and fitted into
    // `rect` when there is one. `showName` and `showValue` go to the
    // variables; a negative `ratio` takes the model's own.
    virtual void Draw(platform::Dc* dc, platform::COLORREF auxColour, platform::COLORREF sideColour,
                      platform::COLORREF textColour, int x, int y, int unused,
                      const platform::Rect* rect, int showName, int showValue, double ratio);
    // The same with every item in its own colour and the given mirror flags.
    virtual void Draw2(int unused, platform::Dc* dc, int x, int y, unsigned int mirrorFlags,
                       const platform::Rect* rect, int showName, int showValue, double ratio);
    virtual void Serialize(platform::Archive& ar);

    CVes_Line* AddLine(int x1, int y1, int x2, int y2, int lineWidth, unsigned int lineStyle,
                       platform::COLORREF colour);
    CVes_Arc* AddArc(int x1, int y1, int x2, int y2, int x3, int y3, int lineWidth,
                     unsigned int lineStyle, platform::COLORREF colour);
    CVes_Circle* AddCircle(int x, int y, int radius, int lineWidth, unsigned int lineStyle,
                           platform::COLORREF colour);
    CVes_Text* AddText(const QString& text, int x, int y, int height, unsigned int align, int angle,
                       platform::COLORREF colour, int print);
    CVes_Variable* AddVar(const QString& name, unsigned int kind, const QString& formula, int x, int y,
                          int height, unsigned int align, int angle, platform::COLORREF colour);
    CVes_Variable* AddVar(const QString& name, int x, int y, int height, unsigned int align, int angle,
                          platform::COLORREF colour);
    CVes_Variable* AddVar(const CVes_Variable* variable);
    // A straight side joined to the bar; one that continues the last side in
    // a straight line extends that side instead. Answers the side that now
    // ends at (x2, y2).
    CVes_Side* AddLSide(int x1, int y1, int x2, int y2, int lineWidth, unsigned int lineStyle,
                        platform::COLORREF colour);
    CVes_Side* AddArcSide(int x1, int y1, int x2, int y2, int x3, int y3, int lineWidth,
                          unsigned int lineStyle, platform::COLORREF colour);
    // Splits the first straight side through (x, y) with a connection mark
    // of `type`; answers the mark, or null when no straight side is there.
    CVes_Side* AddConnect(unsigned int type, int x, int y, const QString& text);

    CVes_Side* getPrvSide(int index) const;
    CVes_Side* getNextSide(int index) const;
    // Removes a side with the mark it leaves behind, or a mark, merging the
    // sides it joined when they are in line; 1 when `item` was a side.
    int DeleteSide(CVes_DrawObject* item);
    // Removes and deletes `item` wherever the model holds it.
    bool deleteObject(CVes_DrawObject* item);
    // The first item at `point`: sides, variables, lines, arcs, texts, circles.
    CVes_DrawObject* HitTest(QPoint point) const;
    const CVes_DrawObjList& getShapeList();
    void clearShape();
    void set(const CVes_ShapeModel* other);
    CVes_Variable* getVar(const QString& name) const;

    int getLineArraySize() const { return int(m_arrLine.size()); }
    int getArcArraySize() const { return int(m_arrArc.size()); }
    int getCircleArraySize() const { return int(m_arrCircle.size()); }
    int getTextArraySize() const { return int(m_arrText.size()); }
    int getVarArraySize() const { return int(m_arrVar.size()); }
    int getSideArraySize() const { return int(m_arrSide.size()); }

    // Logical units per device unit that fit the drawing into `rect`.
    double getDrawScale(const platform::Rect* rect) const;
    // Whether two models draw the same shape (the first variable, the
    // diameter every record has, aside).
    int isSame(const CVes_ShapeModel* other) const;
    int CompareShape(const CVes_ShapeModel* other) const;

    void setRectH(int height) { m_rectH = height; }
    void setRectW(int width) { m_rectW = width; }
    void setShowVar(int show) { m_showVar = show; }
    void setShowValue(int show) { m_showValue = show; }

    int m_rectH = 300;
    int m_rectW = 1500;
    double m_ratio = 1.0;      // line and text size when a draw passes a negative ratio
    unsigned int m_mirror = 0;
    int m_multiVal = 0;        // set from the bar that draws the shape
    int m_showVar = 1;
    int m_showAux = 1;         // lines, arcs and circles
    int m_showValue = 1;
    int m_style = 0;           // kept with the shape

    std::vector<std::unique_ptr<CVes_Text>> m_arrText;
    std::vector<std::unique_ptr<CVes_Variable>> m_arrVar;
    std::vector<std::unique_ptr<CVes_Line>> m_arrLine;
    std::vector<std::unique_ptr<CVes_Arc>> m_arrArc;
    std::vector<std::unique_ptr<CVes_Circle>> m_arrCircle;
    std::vector<std::unique_ptr<CVes_Side>> m_arrSide; // the bar, first end to last

private:
    QPoint centre() const { return QPoint(m_rectW / 2, m_rectH / 2); }
    void drawItems(platform::Dc* dc, const platform::COLORREF* colours, int x, int y,
                   unsigned int mirrorFlags, const platform::Rect* rect, int showName, int showValue,
                   double ratio);

    CVes_DrawObjList m_list;
};

// A side length from the value of its formula: whole millimetres toward
// zero, a value within a millionth of a whole number counting as that
// number (1000*sin30 is 500, though the sine's constant makes it
// 499.9999923).
int sideLengthOf(double value);
