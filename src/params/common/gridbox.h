#pragma once

#include <QGroupBox>
#include <QPushButton>

class ExchangeButtons;
class GridFamily;
class QTableView;

// The group box of a grid family (the groups, the operators): its text grid
// and the read and write buttons, named and laid out as the family's box
// description says. The grid has no view headers (row 0 and column 0 of the
// model are the fixed cells, drawn like buttons), rows 17 pixels high (or the
// font's height), the given column widths (or wider where a heading needs
// it), is editable in place and the Tab key moves from cell to cell.
class GridBox : public QGroupBox {
    Q_OBJECT
public:
    // The buttons are wired straight to the family's handlers.
    template <typename Family>
    GridBox(Family &family, void (Family::*read)(), void (Family::*write)(), ExchangeButtons &buttons,
            QWidget *parent = nullptr)
        : GridBox(family, buttons, parent)
    {
        connect(m_read, &QPushButton::clicked, &family, read);
        connect(m_write, &QPushButton::clicked, &family, write);
    }

    QTableView *table() const { return m_table; }
    QPushButton *readButton() const { return m_read; }
    QPushButton *writeButton() const { return m_write; }

private:
    GridBox(GridFamily &family, ExchangeButtons &buttons, QWidget *parent);

    QTableView *m_table;
    QPushButton *m_read;
    QPushButton *m_write;
};
