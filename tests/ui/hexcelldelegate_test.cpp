#include "app/trace/hexcelldelegate.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

QString hexOf(int count, char byte)
{
    return QString::fromLatin1(QByteArray(count, byte).toHex(' ').toUpper());
}

// One column of bytes, drawn with the plain delegate or the bytes delegate.
QImage drawn(const QStringList &cells, int width, bool cut)
{
    QStandardItemModel model(int(cells.size()), 1);
    for (int r = 0; r < cells.size(); ++r)
        model.setItem(r, 0, new QStandardItem(cells[r]));
    QTableView view;
    view.setModel(&model);
    view.setWordWrap(false);
    view.horizontalHeader()->setStretchLastSection(true);
    if (cut)
        view.setItemDelegateForColumn(0, new HexCellDelegate(&view));
    view.resize(width, 40 + 30 * int(cells.size()));
    view.selectRow(1);
    return view.viewport()->grab().toImage();
}

TEST(HexCellDelegate, CutTextIsDrawnExactlyAsTheWholeText)
{
    // Frames of the widest and the narrowest digits, one that fits, one just
    // past the edge, at a narrow and a wide column; one row selected.
    const QStringList cells{hexOf(77, '\xDD'), hexOf(77, '\x11'), hexOf(3, '\x4A'), hexOf(40, '\x80'),
                            hexOf(200, '\xF0')};
    for (const int width : {60, 180, 457, 900}) {
        SCOPED_TRACE(width);
        EXPECT_EQ(drawn(cells, width, true), drawn(cells, width, false));
    }
}

TEST(HexCellDelegate, TheCharactersKeptAlwaysOverflowTheColumn)
{
    QFont font;
    for (const int size : {7, 9, 12, 20}) {
        font.setPointSize(size);
        const QFontMetrics metrics(font);
        for (const char byte : {'\x11', '\xDD', '\x00', '\xB8'}) {
            for (const int width : {0, 1, 37, 300, 1500}) {
                const int fit = HexCellDelegate::charactersThatFit(metrics, width);
                const QString kept = hexOf(fit, byte).left(fit);
                EXPECT_GT(metrics.horizontalAdvance(kept), width)
                    << "size " << size << ", byte " << int(byte) << ", width " << width;
            }
        }
        // Hidden password bytes only.
        const int fit = HexCellDelegate::charactersThatFit(metrics, 300);
        const QString hidden = QStringList(fit, QStringLiteral("••")).join(QLatin1Char(' ')).left(fit);
        EXPECT_GT(metrics.horizontalAdvance(hidden), 300) << "size " << size;
    }
}

} // namespace
