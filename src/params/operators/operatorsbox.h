#pragma once

#include <QGroupBox>

class ExchangeButtons;
class Operators;
class QPushButton;
class QTableView;

// The group box GBOperateri: the operator table and its two exchange buttons.
class OperatorsBox : public QGroupBox {
    Q_OBJECT
public:
    OperatorsBox(Operators &family, ExchangeButtons &buttons, QWidget *parent = nullptr);

    QTableView *table() const { return m_table; }
    QPushButton *readButton() const { return m_read; }
    QPushButton *writeButton() const { return m_write; }

private:
    QTableView *m_table;
    QPushButton *m_read;
    QPushButton *m_write;
};
