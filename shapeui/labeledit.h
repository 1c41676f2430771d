#pragma once
// A one-line edit box opened over a spot of another window to take a short
// text (a label, the text of a drawing item). It ends when it loses the
// focus, reports the text to its owner as an end-of-label-edit notice and
// then closes and deletes itself; it widens to the right while the user types.

#include <QLineEdit>
#include <QPointer>
#include <QRect>
#include <QString>

// What the box reports when it ends. `hasText` is false after Escape: no
// text at all, not an empty one.
struct LabelEditEnd {
    // Notification code of the end of a label edit.
    static constexpr int LVN_ENDLABELEDIT = -106;

    int controlId = 0;
    int code = LVN_ENDLABELEDIT;
    int item = 0;
    int subItem = 0;
    bool hasText = false;
    QString text;
    int textLength = 0;
};

class CVes_LabelEdit : public QLineEdit {
    Q_OBJECT
public:
    // Edit styles that matter here.
    static constexpr unsigned ES_LEFT = 0x0000;
    static constexpr unsigned ES_CENTER = 0x0001;
    static constexpr unsigned ES_RIGHT = 0x0002;
    static constexpr unsigned ES_AUTOHSCROLL = 0x0080;

    // Keys that end an edit, as recorded in lastKey().
    static constexpr int kEnter = 13;
    static constexpr int kTab = 9;
    static constexpr int kEscape = 27;
    static constexpr int kPageUp = 33;
    static constexpr int kPageDown = 34;
    static constexpr int kLeft = 37;
    static constexpr int kUp = 38;
    static constexpr int kRight = 39;
    static constexpr int kDown = 40;

    // Opens the box on `parent` over `rect` (parent coordinates) with the
    // alignment of `style` (ES_LEFT, ES_CENTER or ES_RIGHT), takes the focus
    // and treats `firstChar`: 1 or 13 put the caret at the end of the text;
    // 8 does so and then types a backspace; 9, 32 and 33 to 40 select the
    // whole text; any other selects it and types the character. The box
    // deletes itself once it has ended.
    CVes_LabelEdit(QWidget* parent, const QRect& rect, unsigned style, int controlId, int item,
                   int subItem, const QString& initialText, int firstChar);

    // The window that receives the notice and a typed Tab; the parent when
    // none is set.
    void setOwner(QWidget* owner) { m_owner = owner; }
    QWidget* owner() const;

    int controlId() const { return m_controlId; }
    int lastKey() const { return m_lastKey; }
    bool exitOnArrows() const { return m_exitOnArrows; }
    QRect boxRect() const { return m_rect; }
    bool hasEnded() const { return m_ended; }

    // Ends the edit as losing the focus does: reports and closes. Does
    // nothing when it has ended already.
    void endEdit();

Q_SIGNALS:
    // The end-of-label-edit notice.
    void labelEditEnded(const LabelEditEnd& notice);
    // A Tab typed in the box, passed on to the owner as the character 9.
    void charForOwner(int ch);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void finishWithKey(int key);
    void growToText();

    int m_item = 0;
    int m_subItem = 0;
    QString m_initialText;
    int m_lastKey = 0;
    bool m_exitOnArrows = true;
    QRect m_rect;
    int m_controlId = 0;
    QPointer<QWidget> m_owner;
    bool m_ended = false;
};
