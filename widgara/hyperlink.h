#pragma once
// A text that opens an address or file with the desktop's program when
// clicked, drawn as a link with a hand cursor.

#include <QLabel>

class CXTHyperLink : public QLabel {
    Q_OBJECT
public:
    explicit CXTHyperLink(QWidget* parent = nullptr);

    void SetURL(const QString& url);
    QString GetURL() const { return m_url; }
    void SetUnderline(bool bUnderline);
    bool IsVisited() const { return m_bVisited; }
    // Opens the address (the text when no address is set); false when the
    // desktop cannot.
    bool GotoURL();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void restyle();

    QString m_url;
    bool m_bUnderline = true;
    bool m_bVisited = false;
};
