// The row operations of table grids: copy, paste, insert and delete, for plain text
// grids and for grids with check boxes; Enter to the next cell; auto size.
#include "common/Comon_State.h"
#include "common/UComon.h"
#include "test_support/Recorder.h"
#include "test_support/Temp_Program.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <memory>

using namespace UComon;

namespace {

// A grid whose data cell (c, r) holds "c.r"; column 0 holds the row number.
std::unique_ptr<TGrid> Filled_Grid(int cols, int rows) {
    auto g = std::make_unique<TGrid>(cols, rows);
    for (int r = 1; r < rows; ++r) {
        g->Cells().Set_Text(0, r, QString::number(r));
        for (int c = 1; c < cols; ++c)
            g->Cells().Set_Text(c, r, QStringLiteral("%1.%2").arg(c).arg(r));
    }
    return g;
}

QStringList Row(const TGrid& g, int r) {
    QStringList l;
    for (int c = 0; c < g.Col_Count(); ++c)
        l << g.Cells().Text(c, r);
    return l;
}

void Send_Enter(QWidget* w) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(w, &press);
}

} // namespace

TEST(Grid_Paste_Row, Refusals_Question_And_Paste) {
    struct Case {
        const char* what;
        int clip_width;      // texts in the clipboard
        bool copied;         // the grid's copied flag
        QStringList target;  // data cells of the target row before (4 data columns, column 2 a check box)
        QList<bool> answers; // to the question
        QList<int> lines;    // messages shown
        bool pasted;
    };
    const Case cases[] = {
        {"not copied in this grid", 4, false, {"", "N", "", ""}, {}, {902}, false},
        {"other width", 6, true, {"", "N", "", ""}, {}, {901}, false},
        {"free row", 4, true, {"", "N", "", ""}, {}, {}, true},
        {"only a check box and blanks", 4, true, {"  ", "Y", " ", ""}, {}, {}, true},
        {"used row, No", 4, true, {"", "N", "x", ""}, {false}, {900}, false},
        {"used row, Yes", 4, true, {"", "N", "x", ""}, {true}, {900}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Temp_Program p;
        Recorder rec;
        for (bool a : c.answers)
            rec.answers.push_back(a);
        auto g = Filled_Grid(5, 4);
        g->Set_Check_Column(2);
        for (int i = 0; i < 4; ++i)
            g->Cells().Set_Text(i + 1, 2, c.target[i]);
        Row_Clipboard.clear();
        for (int i = 0; i < c.clip_width; ++i)
            Row_Clipboard << QStringLiteral("new%1").arg(i);
        const QStringList before = Row(*g, 2);
        Paste_Row(g.get(), 2, c.copied);
        EXPECT_EQ(rec.lines(), c.lines);
        if (c.pasted) {
            EXPECT_EQ(Row(*g, 2), (QStringList{"2", "new0", "new1", "new2", "new3"}));
            EXPECT_FALSE(g->Cells().Checked(2, 2)); // only "Y" checks a box
        } else
            EXPECT_EQ(Row(*g, 2), before);
        EXPECT_EQ(Row_Clipboard.size(), c.clip_width); // the clipboard keeps its row
    }
}

TEST(Grid_Paste_Row, Copy_And_Paste_Skip_Hidden_Columns) {
    Temp_Program p;
    Recorder rec;
    auto from = Filled_Grid(5, 4);
    from->Set_Column_Hidden(3, true);
    Copy_Row(from.get(), 1);
    EXPECT_EQ(Row_Clipboard, (QStringList{"1.1", "2.1", "4.1"}));

    auto to = std::make_unique<TGrid>(5, 4);
    to->Set_Column_Hidden(2, true);
    Paste_Row(to.get(), 3, true);
    EXPECT_TRUE(rec.lines().isEmpty());
    EXPECT_EQ(Row(*to, 3), (QStringList{"", "1.1", "", "2.1", "4.1"}));

    auto wide = std::make_unique<TGrid>(5, 4); // four visible data columns
    Paste_Row(wide.get(), 3, true);
    EXPECT_EQ(rec.lines(), QList<int>{901});
}

TEST(Grid_Insert_Delete_Row, Rows_Move_And_The_Last_Row_Falls_Off) {
    Temp_Program p;
    {
        auto g = Filled_Grid(4, 5); // rows 1..4
        g->Set_Column_Hidden(2, true);
        Insert_Row(2, g.get(), false);
        EXPECT_EQ(Row(*g, 1), (QStringList{"1", "1.1", "2.1", "3.1"}));
        EXPECT_EQ(Row(*g, 2), (QStringList{"2", "", "", ""}));
        EXPECT_EQ(Row(*g, 3), (QStringList{"3", "1.2", "2.2", "3.2"})); // hidden column moved too
        EXPECT_EQ(Row(*g, 4), (QStringList{"4", "1.3", "2.3", "3.3"})); // row 4 lost
    }
    {
        auto g = Filled_Grid(4, 5);
        Insert_Row(4, g.get(), true);
        EXPECT_EQ(Row(*g, 3), (QStringList{"3", "1.3", "2.3", "3.3"}));
        EXPECT_EQ(Row(*g, 4), (QStringList{"4", "Y", "", ""}));
    }
    {
        auto g = Filled_Grid(4, 5);
        Delete_Row(1, g.get());
        EXPECT_EQ(Row(*g, 1), (QStringList{"1", "1.2", "2.2", "3.2"}));
        EXPECT_EQ(Row(*g, 3), (QStringList{"3", "1.4", "2.4", "3.4"}));
        EXPECT_EQ(Row(*g, 4), (QStringList{"4", "", "", ""}));
    }
    {
        auto g = Filled_Grid(4, 5);
        Delete_Row(4, g.get());
        EXPECT_EQ(Row(*g, 3), (QStringList{"3", "1.3", "2.3", "3.3"}));
        EXPECT_EQ(Row(*g, 4), (QStringList{"4", "", "", ""}));
    }
}

TEST(Grid_Check_Box_Rows, Delete_And_Insert_Move_Checks_And_Read_Only_Flags) {
    Temp_Program p;
    auto g = Filled_Grid(13, 257);
    g->Set_Check_Column(1);
    for (int r = 1; r <= 256; ++r)
        g->Cells().Set_Checked(1, r, r % 2 == 0);
    g->Cells().Set_Read_Only(5, 11, true);

    Delete_Row_ASG(g.get(), 10, true);
    EXPECT_EQ(g->Cells().Text(0, 10), "10");
    EXPECT_EQ(g->Cells().Text(4, 10), "4.11");
    EXPECT_TRUE(g->Cells().Read_Only(5, 10)); // the flag moved with the cell
    EXPECT_FALSE(g->Cells().Read_Only(5, 11));
    EXPECT_FALSE(g->Cells().Checked(1, 10)); // row 11's box
    EXPECT_EQ(g->Cells().Text(12, 255), "12.256");
    EXPECT_EQ(Row(*g, 256).mid(2), QStringList(11, QString()));
    EXPECT_TRUE(g->Cells().Checked(1, 256));
    for (int c = 1; c < 13; ++c)
        EXPECT_TRUE(g->Cells().Read_Only(c, 256)) << c;
    EXPECT_FALSE(g->Model()->flags(g->Model()->index(255, 1)) & Qt::ItemIsUserCheckable);

    Insert_Row_ASG(g.get(), 5, false);
    EXPECT_EQ(g->Cells().Text(4, 6), "4.5");
    EXPECT_EQ(g->Cells().Text(12, 256), "12.256"); // the empty read-only last row was lost
    EXPECT_FALSE(g->Cells().Read_Only(3, 256));
    EXPECT_EQ(Row(*g, 5).mid(2), QStringList(11, QString()));
    EXPECT_FALSE(g->Cells().Checked(1, 5));
    EXPECT_FALSE(g->Cells().Read_Only(2, 5));
}

TEST(Grid_Check_Box_Rows, Copy_And_Paste) {
    Temp_Program p;
    Recorder rec;
    auto g = Filled_Grid(5, 6);
    g->Set_Check_Column(1);
    g->Cells().Set_Checked(1, 1, false);
    g->Cells().Set_Text(2, 1, "Y");
    g->Cells().Set_Checked(1, 3, true);
    for (int c = 2; c < 5; ++c)
        g->Cells().Set_Text(c, 3, QString());
    Copy_Row_ASG(g.get(), 1);
    EXPECT_EQ(Row_Clipboard, (QStringList{"N", "Y", "3.1", "4.1"}));
    EXPECT_EQ(Row_Clipboard_Checks, (QList<bool>{true, false, false, false}));

    Paste_Row_ASG(g.get(), 3, true); // an empty row: no question
    EXPECT_TRUE(rec.lines().isEmpty());
    EXPECT_FALSE(g->Cells().Checked(1, 3));
    EXPECT_EQ(g->Cells().Text(2, 3), "Y");

    g->Cells().Set_Text(3, 4, "  "); // blanks count as text here
    for (int c : {2, 4})
        g->Cells().Set_Text(c, 4, QString());
    rec.answers = {false};
    Paste_Row_ASG(g.get(), 4, true);
    EXPECT_EQ(rec.lines(), QList<int>{900});
    EXPECT_EQ(g->Cells().Text(3, 4), "  ");

    // A row of another table shape.
    auto functions = Filled_Grid(8, 4);
    Copy_Row(functions.get(), 1);
    rec.messages.clear();
    Paste_Row_ASG(g.get(), 2, false);
    Paste_Row_ASG(g.get(), 2, true);
    EXPECT_EQ(rec.lines(), (QList<int>{902, 901}));
}

TEST(Grid_Enter_Next_Cell, Moves_Only_While_The_Setting_Is_On) {
    Temp_Program p;
    auto g = Filled_Grid(8, 7);
    struct Case {
        bool on;
        int col, row;
        int to_col, to_row;
        bool consumed;
    };
    const Case cases[] = {
        {true, 2, 5, 3, 5, true},   {true, 7, 5, 1, 6, true}, {true, 7, 6, 1, 1, true},
        {false, 2, 5, 2, 5, false}, {true, 0, 3, 0, 3, true},
    };
    for (const Case& c : cases) {
        Enable_Jump_Field_Tables = c.on;
        g->Set_Current_Cell(c.col, c.row);
        QChar key(13);
        Enter_Next_Cell(g.get(), key);
        EXPECT_EQ(g->Current_Col(), c.to_col) << c.col << "," << c.row;
        EXPECT_EQ(g->Current_Row(), c.to_row) << c.col << "," << c.row;
        EXPECT_EQ(key.isNull(), c.consumed);
    }
    Enable_Jump_Field_Tables = true;
    QChar other('a');
    Enter_Next_Cell(g.get(), other);
    EXPECT_EQ(other, QChar('a'));
}

TEST(Grid_Enter_Next_Cell, Enter_In_An_Open_Editor_Keeps_The_Text_And_Moves_On) {
    Temp_Program p;
    auto g = Filled_Grid(4, 4);
    g->On_Key_Press = [&](QChar& key) { Enter_Next_Cell(g.get(), key); };
    g->show();
    Enable_Jump_Field_Tables = true;
    g->Set_Current_Cell(3, 2);
    g->edit(g->currentIndex());
    auto* editor = qobject_cast<QLineEdit*>(g->indexWidget(g->currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->setText("typed");
    Send_Enter(editor);
    QApplication::processEvents();
    EXPECT_EQ(g->Cells().Text(3, 2), "typed");
    EXPECT_EQ(g->Current_Col(), 1);
    EXPECT_EQ(g->Current_Row(), 3);
    EXPECT_EQ(g->indexWidget(g->Model()->index(1, 3)), nullptr); // the editor is closed

    Send_Enter(g.get()); // not editing: the grid moves too
    EXPECT_EQ(g->Current_Col(), 2);
}

TEST(Grid_Auto_Size, Only_A_Heading_Double_Click_With_The_Setting_On) {
    Temp_Program p;
    auto g = Filled_Grid(5, 4);
    g->Cells().Set_Text(3, 1, QString(60, QLatin1Char('W')));
    g->resize(400, 200);
    g->show();
    for (int c = 0; c < 5; ++c)
        g->setColumnWidth(c, 30);
    Double_Click_Auto_Size = true;
    DblClick_Auto_Size(g.get(), 2, 3); // a data cell
    EXPECT_EQ(g->columnWidth(3), 30);
    DblClick_Auto_Size(g.get(), 0, 3);
    EXPECT_GT(g->columnWidth(3), 200);
    for (int c : {0, 1, 2, 4})
        EXPECT_EQ(g->columnWidth(c), 30);
    Double_Click_Auto_Size = false;
    g->setColumnWidth(3, 30);
    DblClick_Auto_Size(g.get(), 0, 3);
    EXPECT_EQ(g->columnWidth(3), 30);
}
