#pragma once
// The document of the start page. The start page keeps no data: it is never
// modified, so closing it asks nothing, and there is nothing to save.

#include "platform/ui/document.h"

class CRODOStartDoc : public platform::Document {
    Q_OBJECT
public:
    CRODOStartDoc();
};
