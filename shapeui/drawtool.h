#pragma once
// The drawing tools of the shape editor's canvas. The canvas hands each
// mouse press, move, release and right press to the tool of the current
// drawing mode; the tool decides what the gesture means and adds the
// finished item through the canvas's add operations.
//
// The line, arc, circle and polyline tools run a "tracking" gesture: from a
// press until the next press (or a cancel) every move redraws a rubber
// band through the snapped pointer. The canvas routes presses, moves, right
// presses and keys to the tracking tool while one runs, and draws its rubber
// band over the shape when it paints.

#include "platform/dc.h"

#include <QPoint>

class CVes_ModelRecordDrawView;

// Drawing modes, shared by the editor, the canvas and the tools.
constexpr int kDrawSelect = 0;
constexpr int kDrawLine = 1;
constexpr int kDrawArc = 2;
constexpr int kDrawCircle = 3;
constexpr int kDrawPolyline = 4;
constexpr int kDrawVariable = 5;
constexpr int kDrawText = 6;
constexpr int kDrawJoint = 8;

// The current drawing mode (0 when the program starts).
int getDrawMode();
void setDrawMode(int mode);

// Keys that cancel a tracking gesture.
enum class TrackKey { Escape, Enter, Space, Other };

class CVes_DrawTool {
public:
    // Key flags of a mouse event.
    static constexpr unsigned MK_LBUTTON = 0x0001;
    static constexpr unsigned MK_RBUTTON = 0x0002;
    static constexpr unsigned MK_SHIFT = 0x0004;
    static constexpr unsigned MK_CONTROL = 0x0008;

    explicit CVes_DrawTool(int drawMode);
    CVes_DrawTool(const CVes_DrawTool&) = delete;
    CVes_DrawTool& operator=(const CVes_DrawTool&) = delete;
    virtual ~CVes_DrawTool();

    // Points are device points of the canvas.
    virtual void OnLButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point);
    virtual void OnLButtonDblClk(CVes_ModelRecordDrawView*, unsigned, QPoint) {}
    virtual void OnLButtonUp(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point);
    virtual void OnMouseMove(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point);
    virtual void OnRButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point);

    // The first tool of `mode`, or null.
    static CVes_DrawTool* findTool(int mode);

    // Ends every gesture on a canvas that goes away.
    static void forgetView(const CVes_ModelRecordDrawView* view);

    // The tool whose tracking gesture runs on `view`, or null.
    static CVes_DrawTool* trackingTool(const CVes_ModelRecordDrawView* view);
    // During tracking: a left press or a move at a device point.
    virtual void trackPress(CVes_ModelRecordDrawView*, QPoint) {}
    virtual void trackMove(CVes_ModelRecordDrawView*, QPoint) {}
    // During tracking: a key press; answers whether it ended the gesture.
    virtual bool trackKey(CVes_ModelRecordDrawView*, TrackKey) { return false; }
    // A right press during tracking cancels the gesture.
    virtual void trackCancel(CVes_ModelRecordDrawView*) {}
    // The canvas lost the mouse (focus left it, the mode changed): the
    // gesture ends without adding anything.
    virtual void trackLost(CVes_ModelRecordDrawView*) {}
    // Draws the rubber band (logical units, canvas mapping set).
    virtual void drawRubberBand(CVes_ModelRecordDrawView*, platform::Dc*) const {}

    int m_drawShape;

protected:
    // Drops what the tool keeps of `view`.
    virtual void viewGone(const CVes_ModelRecordDrawView*) {}

    // What one gesture shares with the others: the last press and point,
    // the select tool's state and the last logical point of a move.
    struct GestureState {
        unsigned downFlags = 0;
        QPoint downPoint;
        QPoint lastPoint;
        int selectMode = 0; // 0 idle, 1 rubber band, 2 moving
        QPoint lastLogical;
        double moveRestX = 0.0; // part of a move below one model unit
        double moveRestY = 0.0;
    };
    static GestureState& gesture();
};

class CVes_SelectTool final : public CVes_DrawTool {
public:
    CVes_SelectTool() : CVes_DrawTool(kDrawSelect) {}
    void OnLButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point) override;
    void OnLButtonUp(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point) override;
    void OnMouseMove(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point) override;
    void OnRButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point) override;
    void drawRubberBand(CVes_ModelRecordDrawView* view, platform::Dc* dc) const override;

    // The selection rectangle being dragged (device units, normalised);
    // empty when none.
    platform::Rect focusRect() const;

private:
    void moveSelection(CVes_ModelRecordDrawView* view, QPoint logical);
};

// The tracking gesture shared by the line, arc, circle and polyline tools.
class CVes_TrackingTool : public CVes_DrawTool {
public:
    using CVes_DrawTool::CVes_DrawTool;
    // Their releases and moves outside tracking do nothing; a right press
    // closes the canvas's text edit (the base behaviour).
    void OnLButtonUp(CVes_ModelRecordDrawView*, unsigned, QPoint) override {}
    void OnMouseMove(CVes_ModelRecordDrawView*, unsigned, QPoint) override {}

    void trackPress(CVes_ModelRecordDrawView* view, QPoint point) override;
    void trackMove(CVes_ModelRecordDrawView* view, QPoint point) override;
    bool trackKey(CVes_ModelRecordDrawView* view, TrackKey key) override;
    void trackCancel(CVes_ModelRecordDrawView* view) override;
    void trackLost(CVes_ModelRecordDrawView* view) override;

    QPoint startPoint() const { return m_start; }
    QPoint currentPoint() const { return m_current; }

protected:
    // Starts tracking on `view`; false when its client area is empty.
    bool beginTracking(CVes_ModelRecordDrawView* view);
    // Ends tracking; a cancelled gesture gets its points back.
    void endTracking(CVes_ModelRecordDrawView* view, bool cancelled);
    // A left press at the snapped logical point; answers whether tracking
    // goes on.
    virtual bool pressAt(CVes_ModelRecordDrawView* view, QPoint logical) = 0;
    virtual void cancelled(CVes_ModelRecordDrawView*) {}
    virtual void lost(CVes_ModelRecordDrawView* view) { endTracking(view, true); }
    // The start of a chain or an arc: the snapped press point, or the end
    // of the bar's last side when new lines become sides.
    static QPoint chainStart(CVes_ModelRecordDrawView* view, QPoint logicalPress);

    QPoint m_start;
    QPoint m_second;
    QPoint m_third;
    QPoint m_current;

private:
    void follow(CVes_ModelRecordDrawView* view, QPoint point);

    QPoint m_saved[4];
};

class CVes_LineTool final : public CVes_TrackingTool {
public:
    CVes_LineTool() : CVes_TrackingTool(kDrawLine) {}
    void OnLButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point) override;
    void drawRubberBand(CVes_ModelRecordDrawView* view, platform::Dc* dc) const override;

protected:
    bool pressAt(CVes_ModelRecordDrawView* view, QPoint logical) override;
};

class CVes_PolylineTool final : public CVes_TrackingTool {
public:
    CVes_PolylineTool() : CVes_TrackingTool(kDrawPolyline) {}
    void OnLButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point) override;
    void OnMouseMove(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point) override;
    void drawRubberBand(CVes_ModelRecordDrawView* view, platform::Dc* dc) const override;
    bool isChainOpen() const { return m_open; }

protected:
    void viewGone(const CVes_ModelRecordDrawView* view) override;
    bool pressAt(CVes_ModelRecordDrawView* view, QPoint logical) override;
    void cancelled(CVes_ModelRecordDrawView*) override { m_open = false; }
    // Losing the mouse leaves the chain open; the next move resumes it.
    void lost(CVes_ModelRecordDrawView* view) override;

private:
    bool m_open = false;
    const CVes_ModelRecordDrawView* m_chainView = nullptr;
};

class CVes_ArcTool final : public CVes_TrackingTool {
public:
    CVes_ArcTool() : CVes_TrackingTool(kDrawArc) {}
    void OnLButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point) override;
    void drawRubberBand(CVes_ModelRecordDrawView* view, platform::Dc* dc) const override;

    // Whether start, a point passed and an end make an arc of at most half
    // a circle that can be drawn.
    static bool isProperArc(QPoint start, QPoint through, QPoint end);

protected:
    bool pressAt(CVes_ModelRecordDrawView* view, QPoint logical) override;

private:
    bool m_haveSecond = false;
};

class CVes_CircleTool final : public CVes_TrackingTool {
public:
    CVes_CircleTool() : CVes_TrackingTool(kDrawCircle) {}
    void OnLButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point) override;
    void drawRubberBand(CVes_ModelRecordDrawView* view, platform::Dc* dc) const override;

protected:
    bool pressAt(CVes_ModelRecordDrawView* view, QPoint logical) override;
};

// Texts and variables: the canvas opens its text edit itself.
class CVes_TextTool final : public CVes_DrawTool {
public:
    explicit CVes_TextTool(int mode) : CVes_DrawTool(mode) {}
    void OnLButtonUp(CVes_ModelRecordDrawView*, unsigned, QPoint) override {}
    void OnMouseMove(CVes_ModelRecordDrawView*, unsigned, QPoint) override {}
};

class CVes_JointTool final : public CVes_DrawTool {
public:
    CVes_JointTool() : CVes_DrawTool(kDrawJoint) {}
    void OnLButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point) override;
    void OnLButtonUp(CVes_ModelRecordDrawView*, unsigned, QPoint) override {}
    void OnMouseMove(CVes_ModelRecordDrawView*, unsigned, QPoint) override {}
};
