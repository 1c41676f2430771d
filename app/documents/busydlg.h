#pragma once
// The small window shown while a derived sheet is rebuilt in the
// background: "正在转换中……请稍等片刻" over a bar that fills and starts again
// every ten seconds (a sign of activity, not of progress). It has no title
// bar and does not keep the user from working.

#include <QDialog>
#include <QTimer>

class QProgressBar;

class CBusyDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTickMs = 100;
    static constexpr int kFull = 100;

    explicit CBusyDlg(QWidget* parent = nullptr);

    int counter() const { return m_nCounter; }
    void resetCounter() { m_nCounter = 0; }
    // One tick: the counter goes one up, from kFull back to 0.
    void OnTimer();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int m_nCounter = 0;
    QProgressBar* m_progress;
    QTimer m_timer;
};
