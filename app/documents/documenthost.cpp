#include "app/documents/documenthost.h"

#include <QWidget>

namespace {

DocumentProgram* g_program = nullptr;

} // namespace

DocumentHost* DocumentHost::of(const QWidget* widget)
{
    return widget ? dynamic_cast<DocumentHost*>(widget->window()) : nullptr;
}

DocumentProgram* DocumentProgram::instance()
{
    return g_program;
}

void DocumentProgram::install(DocumentProgram* program)
{
    g_program = program;
}
