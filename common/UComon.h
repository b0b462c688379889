// Table grids of the editors and the row operations that every grid offers:
// copy, paste, insert and delete a row, Enter to the next cell, double click on a
// heading to fit a column. A grid shows a Cell_Grid (Grid_Cells.h): row 0 of the
// cells is the heading row of the view, column 0 the row-number column.
#pragma once

#include "common/Grid_Cells.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>
#include <vector>

class QMenu;

namespace UComon {

// The editor of a cell about to be edited.
struct Cell_Editor {
    enum Kind {
        Text,      // a line of text
        Check_Box, // the cell's check box (no editor)
        List,      // a drop-down list: only its items can be chosen
        Edit_List  // a drop-down list that also takes typed text
    };
    Kind kind = Text;
    QStringList items;
};

// The item model of a grid: data rows 1 .. R-1 of the cells are model rows 0 .. R-2,
// headings and their hints come from the horizontal header.
class TGrid_Model : public QAbstractTableModel {
    Q_OBJECT
public:
    TGrid_Model(int cols, int rows, QObject* parent = nullptr);

    Cell_Grid cells;
    QStringList headings;
    QStringList heading_hints;
    std::vector<QColor> colours; // per column; invalid: the default
    std::vector<char> centred;   // per column
    QColor fixed_colour;         // column 0, when valid

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Tells the views that grid rows first .. last (or the headings) changed.
    void Rows_Changed(int first, int last);
    void Headings_Changed();

signals:
    // A cell's text was changed by its editor (not by the program).
    void Cell_Edited(int col, int row);
};

class TGrid;

// Paints centred check boxes and opens the editor that the grid chooses.
class TGrid_Delegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TGrid_Delegate(TGrid* grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QRect Check_Rect(const QStyleOptionViewItem& option, const QModelIndex& index) const;
    TGrid* grid_;
};

// A table grid: a fixed number of rows, a heading row and a row-number column.
class TGrid : public QTableView {
    Q_OBJECT
public:
    // cols and rows count the row-number column and the heading row.
    TGrid(int cols, int rows, QWidget* parent = nullptr);

    TGrid_Model* Model() const { return model_; }
    Cell_Grid& Cells() { return model_->cells; }
    const Cell_Grid& Cells() const { return model_->cells; }
    int Col_Count() const { return model_->cells.Cols(); }
    int Row_Count() const { return model_->cells.Rows(); }

    void Set_Heading(int col, const QString& text);
    void Set_Heading_Hint(int col, const QString& text);
    // The column's width; Fit_Headings may widen it for a long heading.
    void Set_Column_Width(int col, int width);
    // Widens columns whose heading does not fit, wrapping headings onto two lines
    // where that is enough (call after the headings changed).
    void Fit_Headings();
    void Set_Column_Colour(int col, const QColor& colour);
    void Set_Column_Centred(int col);
    void Set_Fixed_Colour(const QColor& colour);
    void Set_Check_Column(int col);
    void Set_Column_Hidden(int col, bool hidden);
    // A menu opened by a right click on the heading of col (none: nullptr).
    void Set_Heading_Menu(int col, QMenu* menu);
    QMenu* Heading_Menu(int col) const;

    // The current cell in grid numbering (row 1 when there is none).
    int Current_Row() const;
    int Current_Col() const;
    void Set_Current_Cell(int col, int row);
    void Select_Row(int row);
    // Takes the text of an open editor into its cell and closes the editor.
    void Finish_Editing();

    // Repaints after the program changed the cells.
    void Refresh_Rows(int first, int last) { model_->Rows_Changed(first, last); }
    void Refresh_All() { model_->Rows_Changed(1, Row_Count() - 1); }

    // Chooses the editor of a cell (col, row); unset: a text editor, or the check
    // box in a check-box column.
    std::function<Cell_Editor(int col, int row)> Editor_Type;
    // After a drop-down cell took a new text from its editor.
    std::function<void(int col, int row, const QString& text)> On_Combo_Change;
    // Key press of the grid or of its open editor; setting the key to 0 consumes it.
    std::function<void(QChar& key)> On_Key_Press;

    Cell_Editor Editor_For(int col, int row) const;
    // Gives a typed character to On_Key_Press; true when it was consumed.
    bool Key_Press(QChar key);

signals:
    void Cell_Clicked(int col, int row);
    // row 0: the heading of col.
    void Cell_Double_Clicked(int col, int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TGrid_Model* model_;
    TGrid_Delegate* delegate_;
    std::vector<QMenu*> menus_;
    std::vector<int> widths_;
};

// Row operations on plain text grids. row is the grid's current row (1 .. R-1).
void Copy_Row(TGrid* grid, int row);
// Refuses with line 902 without a copied row in this grid, with 901 when the copied
// row has another number of columns; asks line 900 before overwriting a used row.
void Paste_Row(TGrid* grid, int row, bool copied);
void Insert_Row(int row, TGrid* grid, bool mark);
void Delete_Row(int row, TGrid* grid);
// Enter (character 13) moves to the next cell and is consumed while
// Enable_Jump_Field_Tables is on; any other key, or the setting off, goes on.
void Enter_Next_Cell(TGrid* grid, QChar& key);
// Fits a column to its content when its heading (row 0) is double-clicked while
// Double_Click_Auto_Size is on.
void DblClick_Auto_Size(TGrid* grid, int row, int col);

// Row operations on grids with check boxes: check states and read-only flags move
// with the texts.
void Delete_Row_ASG(TGrid* grid, int r, bool check);
void Insert_Row_ASG(TGrid* grid, int r, bool check);
void Copy_Row_ASG(TGrid* grid, int r);
void Paste_Row_ASG(TGrid* grid, int r, bool copied);

} // namespace UComon
