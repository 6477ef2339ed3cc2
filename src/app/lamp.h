#pragma once

#include <QColor>
#include <QWidget>

// A two-state indicator lamp: bright when lit, a dark shade of the same
// colour when off.
class Lamp : public QWidget {
    Q_OBJECT
public:
    Lamp(const QColor &colour, QWidget *parent = nullptr);
    bool isLit() const { return m_lit; }
    void setLit(bool lit);
    QSize sizeHint() const override { return {14, 14}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour;
    bool m_lit = false;
};
