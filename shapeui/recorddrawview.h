#pragma once
// The drawing surface of the shape editor: the record being edited over a
// dot grid on black, in 0.1 mm of screen per logical unit. It passes mouse
// input to the drawing tool of the current drawing mode, holds the
// selection, takes texts and variable names typed in place, applies the
// editor's attributes to the selection and keeps whole-record snapshots
// for undo.

#include "core/model/modelrecord.h"
#include "platform/dc.h"
#include "shapeui/labeledit.h"
#include "shapeui/shapeundohistory.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

#include <vector>

// The canvas tells its owner that the bar's sides, connection marks or
// variables changed (the owner rebuilds its property list).
inline constexpr int WM_VES_SHAPECHANGED = 0x0400 + 101; // WM_USER + 101

class CVes_ModelRecordDrawView : public QWidget {
    Q_OBJECT
public:
    // Control id of the in-place text edit.
    static constexpr int kTextEditId = 8;
    // Logical units per inch of screen.
    static constexpr int kUnitsPerInch = 254;

    explicit CVes_ModelRecordDrawView(QWidget* parent = nullptr);
    ~CVes_ModelRecordDrawView() override;

    // The record being edited (borrowed). Setting it empties the selection
    // (the selected items of the old record lose their selected status, so
    // set null before the record is copied back or destroyed) and the undo
    // history, and records the record as the first state.
    void setModel(CVes_ModelRecord* model);
    CVes_ModelRecord* getModel() const { return m_model; }
    // The window told of shape changes; without one no notice is sent.
    void setOwner(QWidget* owner) { m_owner = owner; }
    QWidget* owner() const { return m_owner; }

    // Screen ↔ logical units (the 254-units-per-inch mapping).
    void clientToLogical(QPoint* points, int count = 1) const;
    void clientToLogical(platform::Rect* rect) const;
    void logicalToClient(QPoint* points, int count = 1) const;
    void logicalToClient(platform::Rect* rect) const;
    QPoint clientToLogical(QPoint p) const { clientToLogical(&p); return p; }
    QPoint logicalToClient(QPoint p) const { logicalToClient(&p); return p; }
    // Puts `dc` in the canvas mapping.
    void prepareDc(platform::Dc* dc) const;
    // Logical units ↔ model units.
    QPoint logicalToModel(QPoint logical) const;        // truncated
    QPoint logicalToModelRounded(QPoint logical) const; // + 0.5, truncated
    QPoint modelToLogical(QPoint model) const;          // + 0.5, truncated

    // The rectangle of the model's proportions centred in the area (device
    // units); sets the scale to fit the model into it. Empty without a model.
    platform::Rect fitModelRect(int left, int top, int right, int bottom);
    // The nearest point of the last grid drawn, or `logical` when there is none.
    QPoint snapToGrid(QPoint logical) const;
    const std::vector<QPoint>& gridPoints() const { return m_gridPoints; }

    // Selection.
    void selectObject(CVes_DrawObject* item, bool add);
    void deselectObject(CVes_DrawObject* item);
    // Selects every item meeting the rectangle (model units).
    void selectInRect(const platform::Rect& modelRect, bool add);
    void clearSelection();
    const std::vector<CVes_DrawObject*>& selection() const { return m_selection; }

    // Adding items; points in logical units.
    void addLineItem(int x1, int y1, int x2, int y2);
    void addArcItem(QPoint first, QPoint second, QPoint third);
    void addCircleItem(QPoint centre, QPoint rim);
    void addJointItem(QPoint point);

    // Attribute setters: in select mode, apply to every selected item.
    void setTextHeight(int height);
    void setTextAlign(int align);
    void setLineWidth(int width);
    void setLineStyle(int style);
    void setVarType(int type);
    void setVarUnit(int unit);
    void setNoPrint(int noPrint);
    void deleteSelection();

    // Ends the in-place text edit, committing its text.
    void closeTextEdit();
    CVes_LabelEdit* textEdit() const { return m_edit; }

    // Undo history of the record. Undo and redo empty the selection.
    void pushState();
    void undo();
    void redo();
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    const CVes_ShapeUndoHistory& history() const { return m_history; }

    // Mouse capture of the drawing tools.
    void setCapture() { m_capture = true; }
    void releaseCapture() { m_capture = false; }
    bool hasCapture() const { return m_capture; }

    // Draws the canvas on `dc` for a client area of `size` device units.
    void OnDraw(platform::Dc* dc, QSize size);
    // The grid over a client area (logical units).
    void drawGrid(platform::Dc* dc, const platform::Rect& logicalClient);

    // Sends the shape-changed notice to the owner, when there is one.
    void notifyShapeChanged();

    // Attributes, written by the editor directly.
    int m_plainLine = 0; // 0: new lines and arcs are bar sides
    int m_lineWidth = 4;
    int m_lineStyle = 0;
    int m_textHeight = 12; // items get ten times this
    int m_textAlign = 0;   // 0 left, 6 centred, 2 right
    int m_textAngle = 0;   // tenths of a degree
    int m_varType = 0;
    int m_varUnit = 0;
    int m_noPrint = 0;
    int m_showGrid = 1;
    double m_scale = 1.0; // logical units per model unit

Q_SIGNALS:
    // WM_VES_SHAPECHANGED, sent only when an owner is set.
    void shapeChanged(int message);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void openTextEdit(QPoint devicePoint);
    void onTextEditEnded(const LabelEditEnd& notice);
    void updateCursor();
    // Ends a tracking gesture of a tool other than the current mode's.
    void dropStaleTracking();
    template <typename Apply> void applyToSelection(Apply apply);

    CVes_ShapeUndoHistory m_history;
    CVes_ModelRecord* m_model = nullptr;
    std::vector<CVes_DrawObject*> m_selection;
    QPointer<QWidget> m_owner;
    QFont m_editFont;
    QPoint m_editAnchor;
    int m_editMode = 0;
    QPointer<CVes_LabelEdit> m_edit;
    std::vector<QPoint> m_gridPoints;
    bool m_capture = false;
};
