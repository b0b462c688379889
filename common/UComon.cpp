#include "common/UComon.h"

#include "common/Comon_State.h"
#include "common/UMessages.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace UComon {

// ---------------------------------------------------------------------------
// TGrid_Model

TGrid_Model::TGrid_Model(int cols, int rows, QObject* parent) : QAbstractTableModel(parent) {
    cells.Resize(cols, rows);
    for (int c = 0; c < cols; ++c) {
        headings.append(QString());
        heading_hints.append(QString());
    }
    colours.assign(size_t(cols), QColor());
    centred.assign(size_t(cols), 0);
}

int TGrid_Model::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : qMax(0, cells.Rows() - 1);
}

int TGrid_Model::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cells.Cols();
}

QVariant TGrid_Model::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int c = index.column(), r = index.row() + 1;
    const bool box = cells.Is_Check_Column(c);
    switch (role) {
    case Qt::DisplayRole:
        return box ? QVariant() : QVariant(cells.Text(c, r));
    case Qt::EditRole:
        return cells.Text(c, r);
    case Qt::CheckStateRole:
        return box ? QVariant(cells.Checked(c, r) ? Qt::Checked : Qt::Unchecked) : QVariant();
    case Qt::BackgroundRole:
        if (c == 0 && fixed_colour.isValid())
            return fixed_colour;
        return colours[size_t(c)].isValid() ? QVariant(colours[size_t(c)]) : QVariant();
    case Qt::TextAlignmentRole:
        return centred[size_t(c)] ? QVariant(int(Qt::AlignCenter)) : QVariant();
    default:
        return {};
    }
}

bool TGrid_Model::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid())
        return false;
    const int c = index.column(), r = index.row() + 1;
    if (c == 0 || cells.Read_Only(c, r))
        return false;
    if (cells.Is_Check_Column(c)) {
        if (role != Qt::CheckStateRole && role != Qt::EditRole)
            return false;
        const bool on = role == Qt::CheckStateRole ? value.toInt() == Qt::Checked
                                                   : value.toString() == QLatin1String("Y");
        cells.Set_Checked(c, r, on);
    } else {
        if (role != Qt::EditRole)
            return false;
        cells.Set_Text(c, r, value.toString());
    }
    emit dataChanged(index, index);
    emit Cell_Edited(c, r);
    return true;
}

Qt::ItemFlags TGrid_Model::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const int c = index.column(), r = index.row() + 1;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (c == 0 || cells.Read_Only(c, r))
        return f;
    return f | (cells.Is_Check_Column(c) ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

QVariant TGrid_Model::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < 0 || section >= headings.size())
        return {};
    if (role == Qt::DisplayRole)
        return headings[section];
    if (role == Qt::ToolTipRole && !heading_hints[section].isEmpty())
        return heading_hints[section];
    return {};
}

void TGrid_Model::Rows_Changed(int first, int last) {
    first = qMax(1, first);
    last = qMin(cells.Rows() - 1, last);
    if (first > last || cells.Cols() == 0)
        return;
    emit dataChanged(index(first - 1, 0), index(last - 1, cells.Cols() - 1));
}

void TGrid_Model::Headings_Changed() {
    if (cells.Cols() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, cells.Cols() - 1);
}

// ---------------------------------------------------------------------------
// TGrid_Delegate

TGrid_Delegate::TGrid_Delegate(TGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QWidget* TGrid_Delegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    const Cell_Editor e = grid_->Editor_For(index.column(), index.row() + 1);
    switch (e.kind) {
    case Cell_Editor::Check_Box:
        return nullptr;
    case Cell_Editor::List:
    case Cell_Editor::Edit_List: {
        auto* combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("Grid_Combo"));
        combo->setFrame(false);
        combo->setEditable(e.kind == Cell_Editor::Edit_List);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMaxVisibleItems(20);
        combo->addItems(e.items);
        // Picking an item takes it at once, as a drop-down list of a grid does.
        connect(combo, &QComboBox::activated, this, [this, combo](int) {
            auto* self = const_cast<TGrid_Delegate*>(this);
            emit self->commitData(combo);
            emit self->closeEditor(combo);
        });
        return combo;
    }
    case Cell_Editor::Text:
        break;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void TGrid_Delegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    const QString text = index.data(Qt::EditRole).toString();
    const int at = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(at);
    if (combo->isEditable())
        combo->setEditText(text);
}

void TGrid_Delegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    QString text;
    if (combo->isEditable())
        text = combo->currentText();
    else if (combo->currentIndex() >= 0)
        text = combo->itemText(combo->currentIndex());
    else
        return; // nothing chosen: the cell keeps its text
    if (text == index.data(Qt::EditRole).toString())
        return;
    if (!model->setData(index, text, Qt::EditRole))
        return;
    if (grid_->On_Combo_Change)
        grid_->On_Combo_Change(index.column(), index.row() + 1, text);
}

QRect TGrid_Delegate::Check_Rect(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem o = option;
    initStyleOption(&o, index);
    const QWidget* w = option.widget;
    QStyle* s = w ? w->style() : QApplication::style();
    QRect r = s->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &o, w);
    r.moveCenter(option.rect.center());
    return r;
}

void TGrid_Delegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    if (!grid_->Cells().Is_Check_Column(index.column())) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The check box sits in the middle of its cell.
    QStyleOptionViewItem o = option;
    initStyleOption(&o, index);
    const QWidget* w = option.widget;
    QStyle* s = w ? w->style() : QApplication::style();
    const QRect box = Check_Rect(option, index);
    const bool checked = o.checkState == Qt::Checked;
    const bool editable = index.flags() & Qt::ItemIsUserCheckable;
    o.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    o.text.clear();
    s->drawControl(QStyle::CE_ItemViewItem, &o, painter, w);
    QStyleOptionViewItem c = o;
    c.rect = box;
    c.state &= ~QStyle::State_HasFocus;
    c.state |= checked ? QStyle::State_On : QStyle::State_Off;
    if (!editable)
        c.state &= ~QStyle::State_Enabled;
    s->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &c, painter, w);
}

bool TGrid_Delegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) {
    if (!grid_->Cells().Is_Check_Column(index.column()))
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    const Qt::ItemFlags f = model->flags(index);
    if (!(f & Qt::ItemIsUserCheckable) || !(f & Qt::ItemIsEnabled))
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        const auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() != Qt::LeftButton || !Check_Rect(option, index).contains(me->position().toPoint()))
            return false;
        if (event->type() != QEvent::MouseButtonRelease)
            return true; // the box toggles once, on release
        break;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select)
            return false;
        break;
    }
    default:
        return false;
    }
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

bool TGrid_Delegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && grid_->Key_Press(QChar(13)))
            return true; // the move to the next cell commits and closes the editor
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

// ---------------------------------------------------------------------------
// TGrid

TGrid::TGrid(int cols, int rows, QWidget* parent) : QTableView(parent) {
    model_ = new TGrid_Model(cols, rows, this);
    setModel(model_);
    delegate_ = new TGrid_Delegate(this);
    setItemDelegate(delegate_);
    menus_.assign(size_t(cols), nullptr);
    widths_.assign(size_t(cols), 0);

    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(true);

    QHeaderView* h = horizontalHeader();
    h->setSectionsClickable(false);
    h->setHighlightSections(false);
    h->setStretchLastSection(false);
    h->setSectionResizeMode(QHeaderView::Interactive);
    h->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    h->setTextElideMode(Qt::ElideNone);
    h->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(h, &QHeaderView::customContextMenuRequested, this, [this, h](const QPoint& pos) {
        if (QMenu* m = Heading_Menu(h->logicalIndexAt(pos)))
            m->popup(h->mapToGlobal(pos));
    });
    connect(h, &QHeaderView::sectionDoubleClicked, this,
            [this](int col) { emit Cell_Double_Clicked(col, 0); });
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& i) { emit Cell_Clicked(i.column(), i.row() + 1); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& i) { emit Cell_Double_Clicked(i.column(), i.row() + 1); });
}

void TGrid::Set_Heading(int col, const QString& text) {
    model_->headings[col] = text;
    model_->Headings_Changed();
}

void TGrid::Set_Heading_Hint(int col, const QString& text) {
    model_->heading_hints[col] = text;
}

void TGrid::Set_Column_Width(int col, int width) {
    widths_[size_t(col)] = width;
    setColumnWidth(col, width);
}

void TGrid::Fit_Headings() {
    QHeaderView* h = horizontalHeader();
    const QFontMetrics fm(h->font());
    const int padding = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h) + 2;
    bool two_lines = false;
    for (int c = 0; c < Col_Count(); ++c) {
        const int base = widths_[size_t(c)] > 0 ? widths_[size_t(c)] : columnWidth(c);
        const QString& text = model_->headings[c];
        int width = base;
        if (fm.horizontalAdvance(text) + padding > base) {
            // The narrowest split of the words into two lines.
            const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            int need = fm.horizontalAdvance(text);
            for (qsizetype i = 1; i < words.size(); ++i)
                need = qMin(need, qMax(fm.horizontalAdvance(words.mid(0, i).join(QLatin1Char(' '))),
                                       fm.horizontalAdvance(words.mid(i).join(QLatin1Char(' ')))));
            width = qMax(base, need + padding);
            if (words.size() > 1 && !isColumnHidden(c))
                two_lines = true;
        }
        setColumnWidth(c, width);
    }
    h->setFixedHeight((two_lines ? 2 : 1) * fm.lineSpacing() + 8);
}

void TGrid::Set_Column_Colour(int col, const QColor& colour) {
    model_->colours[size_t(col)] = colour;
}

void TGrid::Set_Column_Centred(int col) {
    model_->centred[size_t(col)] = 1;
}

void TGrid::Set_Fixed_Colour(const QColor& colour) {
    model_->fixed_colour = colour;
}

void TGrid::Set_Check_Column(int col) {
    model_->cells.Set_Check_Column(col, true);
}

void TGrid::Set_Column_Hidden(int col, bool hidden) {
    model_->cells.Set_Hidden(col, hidden);
    setColumnHidden(col, hidden);
}

void TGrid::Set_Heading_Menu(int col, QMenu* menu) {
    menus_[size_t(col)] = menu;
}

QMenu* TGrid::Heading_Menu(int col) const {
    return col >= 0 && size_t(col) < menus_.size() ? menus_[size_t(col)] : nullptr;
}

int TGrid::Current_Row() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 1;
}

int TGrid::Current_Col() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : 1;
}

void TGrid::Set_Current_Cell(int col, int row) {
    setCurrentIndex(model_->index(row - 1, col));
}

void TGrid::Select_Row(int row) {
    if (row < 1 || row >= Row_Count())
        return;
    const QModelIndex first = model_->index(row - 1, 0);
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(first, model_->index(row - 1, Col_Count() - 1)),
                             QItemSelectionModel::ClearAndSelect);
}

void TGrid::Finish_Editing() {
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

Cell_Editor TGrid::Editor_For(int col, int row) const {
    if (Cells().Is_Check_Column(col))
        return {Cell_Editor::Check_Box, {}};
    if (Editor_Type)
        return Editor_Type(col, row);
    return {};
}

bool TGrid::Key_Press(QChar key) {
    if (!On_Key_Press)
        return false;
    On_Key_Press(key);
    return key.isNull();
}

void TGrid::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && Key_Press(QChar(13))) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

// ---------------------------------------------------------------------------
// Row operations

void Copy_Row(TGrid* grid, int row) {
    if (row < 1 || row >= grid->Row_Count())
        return;
    Row_Clipboard = Row_Texts(grid->Cells(), row);
}

void Paste_Row(TGrid* grid, int row, bool copied) {
    if (!copied) {
        Error_Message(902);
        return;
    }
    if (Row_Clipboard.size() != grid->Cells().Visible_Data_Cols().size()) {
        Error_Message(901);
        return;
    }
    if (row < 1 || row >= grid->Row_Count())
        return;
    if (Row_In_Use(grid->Cells(), row) && !Confirm_Message(900))
        return;
    Write_Row_Texts(grid->Cells(), row, Row_Clipboard);
    grid->Refresh_Rows(row, row);
}

void Insert_Row(int row, TGrid* grid, bool mark) {
    Insert_Row_Texts(grid->Cells(), row, mark);
    grid->Refresh_Rows(row, grid->Row_Count() - 1);
}

void Delete_Row(int row, TGrid* grid) {
    Delete_Row_Texts(grid->Cells(), row);
    grid->Refresh_Rows(row, grid->Row_Count() - 1);
}

void Enter_Next_Cell(TGrid* grid, QChar& key) {
    if (!Enable_Jump_Field_Tables || key != QChar(13))
        return;
    int col = grid->Current_Col(), row = grid->Current_Row();
    if (col >= 1 && row >= 1) {
        Next_Cell(grid->Cells(), col, row);
        grid->Set_Current_Cell(col, row);
    }
    key = QChar(0);
}

void DblClick_Auto_Size(TGrid* grid, int row, int col) {
    if (!Double_Click_Auto_Size || row != 0 || col < 0 || col >= grid->Col_Count())
        return;
    grid->resizeColumnToContents(col);
}

void Delete_Row_ASG(TGrid* grid, int r, bool check) {
    Delete_Row_Cells(grid->Cells(), r, check);
    grid->Refresh_Rows(r, grid->Row_Count() - 1);
}

void Insert_Row_ASG(TGrid* grid, int r, bool check) {
    Insert_Row_Cells(grid->Cells(), r, check);
    grid->Refresh_Rows(r, grid->Row_Count() - 1);
}

void Copy_Row_ASG(TGrid* grid, int r) {
    if (r < 1 || r >= grid->Row_Count())
        return;
    Row_Cells(grid->Cells(), r, Row_Clipboard, Row_Clipboard_Checks);
}

void Paste_Row_ASG(TGrid* grid, int r, bool copied) {
    if (!copied) {
        Error_Message(902);
        return;
    }
    if (Row_Clipboard.size() != grid->Col_Count() - 1) {
        Error_Message(901);
        return;
    }
    if (r < 1 || r >= grid->Row_Count())
        return;
    if (Row_Has_Text(grid->Cells(), r) && !Confirm_Message(900))
        return;
    Write_Row_Cells(grid->Cells(), r, Row_Clipboard);
    grid->Refresh_Rows(r, r);
}

} // namespace UComon
