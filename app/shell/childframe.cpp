#include "app/shell/childframe.h"

CChildFrame::CChildFrame(QWidget* parent) : platform::MdiChildWnd(parent) {}
