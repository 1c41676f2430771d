#pragma once
// The document templates of the three file types, in the order the
// application registers them: bar list (".pld", 129), processing sheet
// (".jgd", 131), quantity sheet (".ylb", 132). Each names its document, its
// document window and its view; the application only registers them.

#include <memory>

namespace platform {
class DocTemplate;
} // namespace platform

std::unique_ptr<platform::DocTemplate> createSetUpTemplate();
std::unique_ptr<platform::DocTemplate> createProcessTemplate();
std::unique_ptr<platform::DocTemplate> createSLTemplate();
