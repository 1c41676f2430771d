#pragma once
// The cutting of a cutting-list run on a worker thread, while the user sees
// its progress and may cancel it.

class CuttingJob;
class QWidget;

// Cuts `job` on a worker thread behind a modal progress dialog with a
// cancel button. Answers whether the cutting ran to its end; a cancelled
// worker has stopped before this returns. Call it on the user-interface
// thread.
bool cutWithProgress(CuttingJob& job, QWidget* parent);
