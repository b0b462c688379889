// The cells of a table grid and the row operations on them, without any widget.
// A grid has a heading row 0 and a row-number (or caption) column 0; data cells
// are those with column >= 1 and row >= 1. The number of rows never changes.
// The window grids (UComon.h) show a Cell_Grid; the DALI files are read into and
// written from one, so the window and dravian-cli work on the same cells.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace UComon {

class Cell_Grid {
public:
    Cell_Grid() = default;
    Cell_Grid(int cols, int rows) { Resize(cols, rows); }

    // Makes a grid of cols x rows empty, editable cells (rows include row 0).
    void Resize(int cols, int rows);
    int Cols() const { return cols_; }
    int Rows() const { return rows_; }
    bool Contains(int col, int row) const { return col >= 0 && col < cols_ && row >= 0 && row < rows_; }

    const QString& Text(int col, int row) const { return cells_[Index(col, row)].text; }
    void Set_Text(int col, int row, const QString& text) { cells_[Index(col, row)].text = text; }
    bool Read_Only(int col, int row) const { return cells_[Index(col, row)].read_only; }
    void Set_Read_Only(int col, int row, bool on) { cells_[Index(col, row)].read_only = on; }

    // A check-box column: its cells are checked when their text is "Y".
    bool Is_Check_Column(int col) const { return col >= 0 && col < cols_ && check_[col]; }
    void Set_Check_Column(int col, bool on) { check_[col] = on; }
    bool Checked(int col, int row) const { return Text(col, row) == QLatin1String("Y"); }
    void Set_Checked(int col, int row, bool on) {
        Set_Text(col, row, on ? QStringLiteral("Y") : QStringLiteral("N"));
    }

    bool Is_Hidden(int col) const { return col >= 0 && col < cols_ && hidden_[col]; }
    void Set_Hidden(int col, bool on) { hidden_[col] = on; }
    // The visible data columns, in order (the design's columns 1 .. C-1).
    QList<int> Visible_Data_Cols() const;

    // Number of used rows: rows 1, 2, ... up to the first one whose cell in
    // key_col, with surrounding blanks removed, is empty (at most Rows() - 1).
    int Used_Rows(int key_col) const;

private:
    int Index(int col, int row) const { return row * cols_ + col; }
    struct Cell {
        QString text;
        bool read_only = false;
    };
    int cols_ = 0, rows_ = 0;
    std::vector<Cell> cells_;
    std::vector<char> check_, hidden_;
};

// Row operations on plain text grids (every cell moves as text; read-only flags
// stay where they are). Column 0 and row 0 are never touched.

// Texts of the visible data columns of a row, in column order.
QStringList Row_Texts(const Cell_Grid& g, int row);
// A row is in use when a visible data cell that is not a check box holds text
// that is not blank.
bool Row_In_Use(const Cell_Grid& g, int row);
// Writes texts into the visible data columns of a row (texts.size() must match).
void Write_Row_Texts(Cell_Grid& g, int row, const QStringList& texts);
// Moves rows row .. R-2 down by one (the last row falls off) and blanks row;
// with mark, its column 1 gets "Y". All data columns move, hidden ones included.
void Insert_Row_Texts(Cell_Grid& g, int row, bool mark);
// Moves rows row+1 .. R-1 up by one and blanks the last row.
void Delete_Row_Texts(Cell_Grid& g, int row);

// Row operations on grids with check boxes: check states, texts and read-only
// flags move together; all data columns take part, hidden ones included.

// The row as texts ("Y"/"N" for check boxes) and which cells were check boxes.
void Row_Cells(const Cell_Grid& g, int row, QStringList& texts, QList<bool>& checks);
// True when a cell of the row that is not a check box holds any text at all
// (a cell of blanks counts as not empty).
bool Row_Has_Text(const Cell_Grid& g, int row);
// Writes a copied row into columns 1 .. last: a check box is checked when its text
// is exactly "Y", else cleared; any other cell takes the text as it is.
void Write_Row_Cells(Cell_Grid& g, int row, const QStringList& texts);
// Insert: rows move down, the last row is lost; row becomes empty and editable, its
// column-1 check box checked when check is true.
void Insert_Row_Cells(Cell_Grid& g, int row, bool check);
// Delete: rows move up; the last row becomes empty (column-1 box checked when check
// is true) and read-only.
void Delete_Row_Cells(Cell_Grid& g, int row, bool check);

// The cell that Enter moves to from (col, row): the next visible data column, else
// the first visible data column of the next row, from the last row back to row 1.
// Outside the data cells nothing moves.
void Next_Cell(const Cell_Grid& g, int& col, int& row);

// Replaces every "%d" of a text, in order, by the numbers given.
QString Fill_Numbers(QString text, const QList<int>& numbers);

} // namespace UComon
