#pragma once
// Controls of the shape editor's attribute toolbar: the line-width list
// with a line sample beside each entry, and the buttons of the width and
// pen-style popups, each drawing the width or style it stands for.

#include "widgara/control.h"
#include "widgara/controlcombobox.h"

class CVes_ControlComboBoxLW : public CXTPControlComboBox {
    DECLARE_XTP_CONTROL(CVes_ControlComboBoxLW)
public:
    // Ten owner-drawn entries "1号" … "10号", each with its number as data.
    CVes_ControlComboBoxLW();

    void DrawItem(XTPDrawItemStruct* lpDrawItemStruct) override;
};

class CControlButtonLine : public CXTPControlButton {
    DECLARE_XTP_CONTROL(CControlButtonLine)
public:
    explicit CControlButtonLine(double width = 0.0) : m_dWidth(width) {}

    double width() const { return m_dWidth; }

    QSize GetSize(platform::Dc* pDC) override;
    void Draw(platform::Dc* pDC) override;
    void DoPropExchange(CXTPPropExchange* pPX) override;
    void Copy(const CXTPControl* pControl, bool bRecursive = false) override;

private:
    double m_dWidth = 0.0; // line width in pixels
};

class CControlButtonStyle : public CXTPControlButton {
    DECLARE_XTP_CONTROL(CControlButtonStyle)
public:
    explicit CControlButtonStyle(int style = 0) : m_nStyle(style) {}

    int style() const { return m_nStyle; }

    QSize GetSize(platform::Dc* pDC) override;
    void Draw(platform::Dc* pDC) override;
    void DoPropExchange(CXTPPropExchange* pPX) override;
    void Copy(const CXTPControl* pControl, bool bRecursive = false) override;

private:
    int m_nStyle = 0; // PS_SOLID … PS_DASHDOTDOT
};
