#pragma once
// A popup control: a button that opens a popup bar of further controls
// (CXTPPopupToolBar). Controls of the popup bar send their commands to the
// same owner; the popup closes when one of them runs.

#include "widgara/commandbar.h"
#include "widgara/control.h"

#include <memory>

class CXTPPopupToolBar : public CXTPCommandBar {
    Q_OBJECT

public:
    explicit CXTPPopupToolBar(CXTPCommandBars* pCommandBars = nullptr);
    static std::unique_ptr<CXTPPopupToolBar> CreatePopupToolBar(CXTPCommandBars* pCommandBars);

    int GetType() const override { return xtpBarTypePopup; }
    // Opens the bar as a popup window at `globalPos` (its top-left corner).
    void Popup(QPoint globalPos);

Q_SIGNALS:
    void closed();

protected:
    void hideEvent(QHideEvent* event) override;
};

class CXTPControlPopup : public CXTPControlButton {
public:
    CXTPControlPopup() : CXTPControlButton(xtpControlPopup) {}
    // A popup control of the type xtpControlPopup, xtpControlButtonPopup or
    // xtpControlSplitButtonPopup.
    static std::unique_ptr<CXTPControlPopup> CreateControlPopup(int controlType);
    QString GetRuntimeClassName() const override { return QStringLiteral("CXTPControlPopup"); }

    // The bar that opens; the control owns it.
    void SetCommandBar(std::unique_ptr<CXTPCommandBar> pBar);
    CXTPCommandBar* GetCommandBar() const { return m_pCommandBar.get(); }

    void Copy(const CXTPControl* pControl, bool bRecursive = false) override;
    QSize GetSize(platform::Dc* pDC) override;
    void Draw(platform::Dc* pDC) override;
    void OnClick(bool bKeyboard = false) override;
    // Closes the open popup bar.
    void ClosePopup();

protected:
    explicit CXTPControlPopup(int controlType) : CXTPControlButton(controlType) {}
    // Whether the last click was on the arrow part (or by keyboard).
    bool onArrow() const;

private:
    std::unique_ptr<CXTPCommandBar> m_pCommandBar;
};
