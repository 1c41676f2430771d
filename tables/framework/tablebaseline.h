#pragma once
// The base of every row of every sheet. The table model pages, skips, locks,
// sorts and deletes rows only through this class; each sheet's row adds its
// own fields, its own stream and its own comparisons.

#include "platform/gdi.h"

class CVes_BarCore;
class SharedRow;

namespace platform { class Archive; }

class CVes_TableBaseLine {
public:
    CVes_TableBaseLine() = default;
    CVes_TableBaseLine(const CVes_TableBaseLine&) = default;
    CVes_TableBaseLine& operator=(const CVes_TableBaseLine&) = default;
    virtual ~CVes_TableBaseLine();

    // The base row stores nothing; every derived row writes its own fields.
    virtual void Serialize(platform::Archive& ar);
    // Printed table rows the row takes on a page.
    virtual int getRows() const { return m_rows; }
    virtual int getLock() const { return m_lock; }
    virtual void setShow(int show) { m_show = show; }
    virtual bool isGreat(const CVes_TableBaseLine& other);
    // Nonzero for an empty filler row.
    virtual int isNull() { return m_null; }
    virtual void setNull(int empty) { m_null = empty; }
    // A base row equals every row.
    virtual bool operator==(const CVes_TableBaseLine& other);
    // The sort order of the table: this row goes before `other` when true.
    // The base answers true for every pair, so only derived rows give an order.
    virtual bool lessthan(CVes_TableBaseLine* const& other) const;
    // Nonzero when the row carries a bar record.
    virtual int isSteelLine() { return 0; }
    // The row's bar record, or null; callers test for null first.
    virtual CVes_BarCore* getSteel() { return nullptr; }

    unsigned int getType() const { return m_type; }
    void setType(unsigned int kind) { m_type = kind; }
    int getShow() const { return m_show; }
    platform::COLORREF getTextColor() const { return m_textColor; }
    void setTextColor(platform::COLORREF colour) { m_textColor = colour; }
    void setLock(int lock) { m_lock = lock; }
    void setRows(int rows) { m_rows = rows; }

    unsigned int m_type = 0;              // the row kind within its sheet
    int m_null = 0;                       // nonzero: an empty filler row
    int m_show = 1;
    platform::COLORREF m_textColor = 0;   // black
    int m_lock = 0;                       // batch edits and deletions leave a locked row alone
    int m_rows = 1;

    // The undo snapshots' state of this row while it is unchanged since they
    // took it (sharedrows.h). It belongs to the row object: a copy of the
    // row starts without one.
    class SharedLink {
    public:
        SharedLink() = default;
        SharedLink(const SharedLink&) {}
        SharedLink& operator=(const SharedLink&) { return *this; }
        SharedRow* state = nullptr;
    };
    SharedLink m_shared;
};
