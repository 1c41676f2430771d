#pragma once
// Colour controls of command bars:
// - CXTPControlPopupColor: a split button whose body runs its command and
//   whose arrow opens its popup; a bar of its colour lies under its icon;
// - CXTPControlColorSelector: a grid of colours to choose from (usually in
//   such a popup); choosing one keeps it as the selector's colour and runs
//   the selector's command;
// - CXTPControlButtonColor: a button showing a swatch of its colour before
//   its caption.
// The owner reads the chosen colour with GetColor when the command arrives.

#include "platform/gdi.h"
#include "widgara/controlpopup.h"

#include <vector>

class CXTPControlPopupColor : public CXTPControlPopup {
    DECLARE_XTP_CONTROL(CXTPControlPopupColor)
public:
    CXTPControlPopupColor();

    void SetColor(platform::gdi::COLORREF clr);
    platform::gdi::COLORREF GetColor() const { return m_clr; }

    void Copy(const CXTPControl* pControl, bool bRecursive = false) override;
    void Draw(platform::Dc* pDC) override;

private:
    platform::gdi::COLORREF m_clr = 0;
};

class CXTPControlColorSelector : public CXTPControl {
    DECLARE_XTP_CONTROL(CXTPControlColorSelector)
public:
    static constexpr int kColumns = 8;
    static constexpr int kCell = 18;

    CXTPControlColorSelector();

    // The colours offered, row by row.
    static const std::vector<platform::gdi::COLORREF>& standardColors();
    // The colour of the cell under `point` (control coordinates), or -1.
    static int cellAt(QPoint point);

    void SetColor(platform::gdi::COLORREF clr);
    platform::gdi::COLORREF GetColor() const { return m_clr; }

    void Copy(const CXTPControl* pControl, bool bRecursive = false) override;
    QSize GetSize(platform::Dc* pDC) override;
    void Draw(platform::Dc* pDC) override;
    // A click on a cell chooses its colour and runs the control; a click
    // between cells does nothing.
    void OnClick(bool bKeyboard = false) override;

private:
    platform::gdi::COLORREF m_clr = 0;
};

class CXTPControlButtonColor : public CXTPControlButton {
    DECLARE_XTP_CONTROL(CXTPControlButtonColor)
public:
    CXTPControlButtonColor() = default;

    void SetColor(platform::gdi::COLORREF clr);
    platform::gdi::COLORREF GetColor() const { return m_clr; }

    void Copy(const CXTPControl* pControl, bool bRecursive = false) override;
    QSize GetSize(platform::Dc* pDC) override;
    void Draw(platform::Dc* pDC) override;

private:
    platform::gdi::COLORREF m_clr = 0;
};
