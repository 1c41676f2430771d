#pragma once
// Helpers for the tests of the shape library dialog and the choosers:
// answering input dialogs, file dialogs that answer from a queue, and the
// libraries as they are on disk.

#include "core/model/modelrecordlib.h"
#include "shapeui/inputdlg.h"
#include "shapeui/modellibdlg.h"
#include "tests/support/modal.h"

#include <QLineEdit>
#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace test {

// Answers the next text input dialog with `text` (OK) or cancels it (null),
// after checking its caption when `title` is given.
inline void answerInput(const char* text, const char* title = nullptr)
{
    onNextModal<CVes_InputDlg>([text, title](CVes_InputDlg* input) {
        if (title) {
            EXPECT_EQ(input->windowTitle(), QString::fromUtf8(title));
        }
        if (!text) {
            input->reject();
            return;
        }
        input->findChild<QLineEdit*>(QString::number(CVes_InputDlg::kIdText))->setText(QString::fromUtf8(text));
        input->accept();
    });
}

// File dialogs answered from a queue (an empty text cancels); every
// request is kept.
class FileDialogScript {
public:
    FileDialogScript()
    {
        CVes_ModelLibDlg::setFileDialog([this](const ModelLibFileRequest& request) {
            requests.push_back(request);
            if (answers.empty())
                return QString();
            const QString answer = answers.front();
            answers.pop_front();
            return answer;
        });
    }
    ~FileDialogScript() { CVes_ModelLibDlg::setFileDialog({}); }

    std::deque<QString> answers;
    std::vector<ModelLibFileRequest> requests;
};

// The names of a library side as stored on disk.
inline QStringList storedSubLibNames(int isSys, int libType = CVes_ModelLibDlg::kModelLib)
{
    std::unique_ptr<CVes_ModelRecordMainLib> lib;
    if (libType == CVes_ModelLibDlg::kStartLib)
        lib = std::make_unique<CVes_ModelStartMainLib>();
    else
        lib = std::make_unique<CVes_ModelRecordMainLib>();
    lib->loadLib(QString(), isSys);
    QStringList names;
    for (const auto& sub : isSys ? lib->getSyslibArray() : lib->getUselibArray())
        names.append(sub->name());
    return names;
}

} // namespace test
