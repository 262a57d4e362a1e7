// Column widths, the caption and header cells in the table control: the column layout with
// widths of each kind, dragging a column's edge (Shift keeps the total, a double click makes
// the column automatic again), the caption band with its in-place editor, and one undo step
// for each change.

#include "tests/TableFixture.h"

#include "grid/TableLayout.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

int BoxWidth(const TTable& t, int col)
{
    return t.Cell(col, 0).Rect.Right - t.Cell(col, 0).Rect.Left;
}

// A point on the line right of column `col`, in the middle of row 0, in control coordinates.
QPoint EdgeOf(const TTable& t, int col)
{
    const TRect& r = t.Cell(col, 0).Rect;
    return QPoint(r.Right, (r.Top + r.Bottom) / 2) + t.clientOrigin();
}

void Drag(TTable& t, QPoint from, int dx, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::mousePress(&t, Qt::LeftButton, modifiers, from);
    for (int step = 1; step <= 4; ++step) {
        QMouseEvent move(QEvent::MouseMove, QPointF(from + QPoint(dx * step / 4, 0)), t.mapToGlobal(QPointF(from + QPoint(dx * step / 4, 0))),
                         Qt::NoButton, Qt::LeftButton, modifiers);
        QApplication::sendEvent(&t, &move);
    }
    QTest::mouseRelease(&t, Qt::LeftButton, modifiers, from + QPoint(dx, 0));
}

}  // namespace

TEST(GridColumns, WidthsOfEachKindAndAutomaticColumnsSharingTheRest)
{
    TableFixture f(401, 4, 1);  // client 401: four gaps of 1 and the lines
    TTable& t = *f.table;
    const int margins = 2 * t.CellsTextMargin;
    t.SetColWidth(0, {100, TSizeSpec::Pixels});
    t.SetColWidth(1, {25, TSizeSpec::Percent});
    EXPECT_EQ(BoxWidth(t, 0), 100 + margins) << "a pixel width is the text's, as a page's WIDTH";
    const int available = 401 - 5 * t.CellsBorderWidth;
    EXPECT_EQ(BoxWidth(t, 1), available / 4);
    const int rest = available - (100 + margins) - available / 4;
    EXPECT_EQ(BoxWidth(t, 2), rest / 2);
    EXPECT_EQ(BoxWidth(t, 3), rest - rest / 2);
    EXPECT_EQ(t.Cell(3, 0).Rect.Right, 400) << "the columns fill the width";
    for (int c = 1; c < 4; ++c) EXPECT_EQ(t.Cell(c, 0).Rect.Left, t.Cell(c - 1, 0).Rect.Right + 1);

    // Every column in pixels: the control is as wide as they are, as a page draws it.
    t.SetColWidth(2, {50, TSizeSpec::Pixels});
    t.SetColWidth(1, {40, TSizeSpec::Pixels});
    t.SetColWidth(3, {30, TSizeSpec::Pixels});
    t.UpdateWidth();
    EXPECT_EQ(t.width(), 2 + 5 + 100 + 40 + 50 + 30 + 4 * margins);
    // Back to automatic: the old even share, exactly as before widths existed.
    for (int c = 0; c < 4; ++c) t.SetColWidth(c, {});
    t.UpdateWidth();
    EXPECT_EQ(t.width(), 403);
    EXPECT_EQ(t.Cell(0, 0).Rect.Right, 1 + (401 - 1) / 4 - 2) << "the even share as it always was";
}

TEST(GridColumns, DraggingAnEdgeSetsPixelsAsOneUndoStep)
{
    TableFixture f(400, 3, 2);
    TTable& t = *f.table;
    t.StartHistory();
    const int before = BoxWidth(t, 0), next = BoxWidth(t, 1);
    EXPECT_EQ(t.ColumnEdgeAt(EdgeOf(t, 0) - t.clientOrigin()), 0);
    EXPECT_EQ(t.ColumnEdgeAt(f.inside(0, 0) - t.clientOrigin()), -1) << "inside a cell is no edge";

    Drag(t, EdgeOf(t, 0), 40);
    EXPECT_EQ(BoxWidth(t, 0), before + 40);
    EXPECT_EQ(t.ColWidths[0], (TSizeSpec{before + 40 - 2 * t.CellsTextMargin, TSizeSpec::Pixels}));
    EXPECT_EQ(t.ColWidths[1], TSizeSpec{}) << "without Shift only the dragged column changes";
    EXPECT_EQ(t.HistoryCount(), 2);

    // Shift: the right neighbour gives up what the column takes, the total stays.
    const int total = BoxWidth(t, 1) + BoxWidth(t, 2);
    Drag(t, EdgeOf(t, 1), -30, Qt::ShiftModifier);
    EXPECT_EQ(BoxWidth(t, 1) + BoxWidth(t, 2), total);
    EXPECT_EQ(t.ColWidths[2].Units, TSizeSpec::Pixels);
    EXPECT_EQ(t.HistoryCount(), 3) << "both columns in one step";

    // A click on the edge without a move changes nothing and records nothing.
    Drag(t, EdgeOf(t, 0), 0);
    EXPECT_EQ(t.HistoryCount(), 3);

    // A double click on the edge makes the column automatic again.
    QTest::mouseDClick(&t, Qt::LeftButton, Qt::NoModifier, EdgeOf(t, 0));
    EXPECT_EQ(t.ColWidths[0], TSizeSpec{});
    t.Undo();
    EXPECT_EQ(t.ColWidths[0].Units, TSizeSpec::Pixels);
    t.Undo();
    t.Undo();
    EXPECT_EQ(BoxWidth(t, 1), next);
    EXPECT_FALSE(t.HasColWidths());
}

TEST(GridColumns, AMergedCellAcrossAnEdgeHidesItThere)
{
    TableFixture f(300, 3, 2);
    TTable& t = *f.table;
    t.MergeCells(0, 0, 1, 0);  // row 0: (0,0)-(1,0)
    QApplication::processEvents();
    const TRect& merged = t.Cell(0, 0).Rect;
    const TRect& below = t.Cell(0, 1).Rect;
    EXPECT_EQ(t.ColumnEdgeAt(QPoint(below.Right, (merged.Top + merged.Bottom) / 2)), -1);
    EXPECT_EQ(t.ColumnEdgeAt(QPoint(below.Right, (below.Top + below.Bottom) / 2)), 0);
    EXPECT_EQ(t.ColumnEdgeAt(QPoint(merged.Right, (merged.Top + merged.Bottom) / 2)), 1) << "its own right edge";
}

TEST(GridCaption, ABandAboveTheTableEditedInPlace)
{
    TableFixture f(300, 2, 2);
    TTable& t = *f.table;
    EXPECT_EQ(t.CaptionBandHeight(), 0);
    const int top = t.clientOrigin().y();
    t.SetCaption(QStringLiteral("Prices\r\n2024"));
    t.StartHistory();
    EXPECT_GT(t.CaptionBandHeight(), 20) << "two lines";
    EXPECT_EQ(t.clientOrigin().y(), top + t.CaptionBandHeight()) << "the cells move down under it";
    EXPECT_EQ(t.height(), t.CaptionBandHeight() + t.Cell(0, 1).Rect.Bottom + 1 + 2);

    // A double click on the band opens its editor; Enter keeps the text as one step.
    QTest::mouseDClick(&t, Qt::LeftButton, Qt::NoModifier, QPoint(150, 5));
    auto* edit = t.findChild<QLineEdit*>(QStringLiteral("CaptionEdit"));
    ASSERT_TRUE(edit && t.CaptionEditorOpen());
    EXPECT_EQ(edit->text(), "Prices<br>2024") << "a line break shows as <br> on one line";
    edit->setText(QStringLiteral("Price list"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(t.CaptionEditorOpen());
    EXPECT_EQ(t.Caption, "Price list");
    EXPECT_EQ(t.HistoryCount(), 2);
    // Escape leaves it as it was.
    t.EditCaption();
    edit->setText(QStringLiteral("dropped"));
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(t.Caption, "Price list");
    EXPECT_EQ(t.HistoryCount(), 2);
    t.Undo();
    EXPECT_EQ(t.Caption, "Prices\r\n2024");
    t.SetCaption({});
    EXPECT_EQ(t.CaptionBandHeight(), 0);
}
