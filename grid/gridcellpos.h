#pragma once
// A cell's position in the grid and a rectangular range of cells. Whether a
// position lies inside a particular grid is asked of the grid (IsValid).

class CGridCellPos {
public:
    int row = -1;
    int col = -1;

    constexpr CGridCellPos() = default;
    constexpr CGridCellPos(int nRow, int nCol) : row(nRow), col(nCol) {}

    // Both parts are 0 or more; the grid also checks its counts.
    constexpr bool IsValid() const { return row >= 0 && col >= 0; }

    friend constexpr bool operator==(const CGridCellPos&, const CGridCellPos&) = default;
};

class CGridCellSpan {
public:
    constexpr CGridCellSpan() = default;
    constexpr CGridCellSpan(int minRow, int minCol, int maxRow, int maxCol)
        : m_nMinRow(minRow), m_nMinCol(minCol), m_nMaxRow(maxRow), m_nMaxCol(maxCol)
    {
    }

    constexpr int GetMinRow() const { return m_nMinRow; }
    constexpr int GetMinCol() const { return m_nMinCol; }
    constexpr int GetMaxRow() const { return m_nMaxRow; }
    constexpr int GetMaxCol() const { return m_nMaxCol; }
    constexpr void SetMinRow(int n) { m_nMinRow = n; }
    constexpr void SetMinCol(int n) { m_nMinCol = n; }
    constexpr void SetMaxRow(int n) { m_nMaxRow = n; }
    constexpr void SetMaxCol(int n) { m_nMaxCol = n; }

    // All bounds 0 or more and each minimum not above its maximum; the grid
    // also checks the maxima against its counts.
    constexpr bool IsValid() const
    {
        return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0
               && m_nMinRow <= m_nMaxRow && m_nMinCol <= m_nMaxCol;
    }
    constexpr bool InRange(int row, int col) const
    {
        return row >= m_nMinRow && row <= m_nMaxRow && col >= m_nMinCol && col <= m_nMaxCol;
    }
    constexpr bool InRange(const CGridCellPos& cell) const { return InRange(cell.row, cell.col); }
    constexpr CGridCellPos GetTopLeft() const { return {m_nMinRow, m_nMinCol}; }

    friend constexpr bool operator==(const CGridCellSpan&, const CGridCellSpan&) = default;

private:
    // The empty range is (-1, -1, -1, -1).
    int m_nMinRow = -1;
    int m_nMinCol = -1;
    int m_nMaxRow = -1;
    int m_nMaxCol = -1;
};
