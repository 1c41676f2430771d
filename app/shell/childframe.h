#pragma once
// The document window of the start page: the page fills it.

#include "platform/ui/childframe.h"

class CChildFrame : public platform::MdiChildWnd {
    Q_OBJECT
public:
    explicit CChildFrame(QWidget* parent = nullptr);
};
