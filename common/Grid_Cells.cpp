#include "common/Grid_Cells.h"

#include "common/Comon_State.h"

namespace UComon {

void Cell_Grid::Resize(int cols, int rows) {
    cols_ = qMax(0, cols);
    rows_ = qMax(0, rows);
    cells_.assign(size_t(cols_) * size_t(rows_), Cell{});
    check_.assign(size_t(cols_), 0);
    hidden_.assign(size_t(cols_), 0);
}

QList<int> Cell_Grid::Visible_Data_Cols() const {
    QList<int> cols;
    for (int c = 1; c < cols_; ++c)
        if (!hidden_[c])
            cols.append(c);
    return cols;
}

int Cell_Grid::Used_Rows(int key_col) const {
    int r = 1;
    while (r < rows_ && !Trim(Text(key_col, r)).isEmpty())
        ++r;
    return r - 1;
}

QStringList Row_Texts(const Cell_Grid& g, int row) {
    QStringList texts;
    for (int c : g.Visible_Data_Cols())
        texts.append(g.Text(c, row));
    return texts;
}

bool Row_In_Use(const Cell_Grid& g, int row) {
    for (int c : g.Visible_Data_Cols())
        if (!g.Is_Check_Column(c) && !Trim(g.Text(c, row)).isEmpty())
            return true;
    return false;
}

void Write_Row_Texts(Cell_Grid& g, int row, const QStringList& texts) {
    const QList<int> cols = g.Visible_Data_Cols();
    for (qsizetype i = 0; i < cols.size() && i < texts.size(); ++i)
        g.Set_Text(cols[i], row, texts[i]);
}

void Insert_Row_Texts(Cell_Grid& g, int row, bool mark) {
    if (row < 1 || row >= g.Rows())
        return;
    for (int r = g.Rows() - 2; r >= row; --r)
        for (int c = 1; c < g.Cols(); ++c)
            g.Set_Text(c, r + 1, g.Text(c, r));
    for (int c = 1; c < g.Cols(); ++c)
        g.Set_Text(c, row, QString());
    if (mark && g.Cols() > 1)
        g.Set_Text(1, row, QStringLiteral("Y"));
}

void Delete_Row_Texts(Cell_Grid& g, int row) {
    if (row < 1 || row >= g.Rows())
        return;
    for (int r = row; r <= g.Rows() - 2; ++r)
        for (int c = 1; c < g.Cols(); ++c)
            g.Set_Text(c, r, g.Text(c, r + 1));
    for (int c = 1; c < g.Cols(); ++c)
        g.Set_Text(c, g.Rows() - 1, QString());
}

namespace {

void Copy_Cell(Cell_Grid& g, int col, int from, int to) {
    // A check box takes the state of its source (the state is its text "Y"/"N"),
    // any other cell its text; both take the source's read-only flag.
    g.Set_Text(col, to, g.Text(col, from));
    g.Set_Read_Only(col, to, g.Read_Only(col, from));
}

void Empty_Row(Cell_Grid& g, int row, bool check, bool read_only) {
    for (int c = 1; c < g.Cols(); ++c) {
        if (g.Is_Check_Column(c))
            g.Set_Checked(c, row, check && c == 1);
        else
            g.Set_Text(c, row, QString());
        g.Set_Read_Only(c, row, read_only);
    }
}

} // namespace

void Row_Cells(const Cell_Grid& g, int row, QStringList& texts, QList<bool>& checks) {
    texts.clear();
    checks.clear();
    for (int c = 1; c < g.Cols(); ++c) {
        const bool box = g.Is_Check_Column(c);
        texts.append(box ? (g.Checked(c, row) ? QStringLiteral("Y") : QStringLiteral("N")) : g.Text(c, row));
        checks.append(box);
    }
}

bool Row_Has_Text(const Cell_Grid& g, int row) {
    for (int c = 1; c < g.Cols(); ++c)
        if (!g.Is_Check_Column(c) && !g.Text(c, row).isEmpty())
            return true;
    return false;
}

void Write_Row_Cells(Cell_Grid& g, int row, const QStringList& texts) {
    // A check box is checked only by the exact text "Y" (what Row_Cells gives for a
    // checked box); any other cell takes the text as it is, "Y" included.
    for (int c = 1; c < g.Cols() && c - 1 < texts.size(); ++c) {
        if (g.Is_Check_Column(c))
            g.Set_Checked(c, row, texts[c - 1] == QLatin1String("Y"));
        else
            g.Set_Text(c, row, texts[c - 1]);
    }
}

void Insert_Row_Cells(Cell_Grid& g, int row, bool check) {
    if (row < 1 || row >= g.Rows())
        return;
    for (int r = g.Rows() - 2; r >= row; --r)
        for (int c = 1; c < g.Cols(); ++c)
            Copy_Cell(g, c, r, r + 1);
    Empty_Row(g, row, check, false);
}

void Delete_Row_Cells(Cell_Grid& g, int row, bool check) {
    if (row < 1 || row >= g.Rows())
        return;
    for (int r = row; r <= g.Rows() - 2; ++r)
        for (int c = 1; c < g.Cols(); ++c)
            Copy_Cell(g, c, r + 1, r);
    Empty_Row(g, g.Rows() - 1, check, true);
}

void Next_Cell(const Cell_Grid& g, int& col, int& row) {
    if (col < 1 || row < 1 || row >= g.Rows())
        return;
    const QList<int> cols = g.Visible_Data_Cols();
    if (cols.isEmpty())
        return;
    const qsizetype at = cols.indexOf(col);
    if (at >= 0 && at < cols.size() - 1) {
        col = cols[at + 1];
        return;
    }
    col = cols.first();
    row = row < g.Rows() - 1 ? row + 1 : 1;
}

QString Fill_Numbers(QString text, const QList<int>& numbers) {
    qsizetype from = 0;
    for (int n : numbers) {
        const qsizetype at = text.indexOf(QLatin1String("%d"), from);
        if (at < 0)
            break;
        const QString v = QString::number(n);
        text.replace(at, 2, v);
        from = at + v.size();
    }
    return text;
}

} // namespace UComon
